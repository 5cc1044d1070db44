#include "runtime/core/Boundary.h"

#include "runtime/core/Clock.h"
#include "runtime/core/Exceptions.h"
#include "runtime/core/Process.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

namespace tickora::runtime {

namespace {
// Never destroyed, like every registry of the runtime (see Process.cpp).
ExceptionHelper &InstalledHelper()
{
    static ExceptionHelper &helper = *new ExceptionHelper;
    return helper;
}
} // namespace

void CheckUIThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread())
        throw ThreadAccessingUIException(
            QStringLiteral("user-interface object accessed off the event loop's thread"));
}

std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()> &function)
{
    try {
        function();
    } catch (const RuntimeException &) {
        return std::current_exception();
    }
    return nullptr;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) { InstalledHelper() = std::move(helper); }

void UnhandledException(std::exception_ptr exception)
{
    if (!exception)
        return;
    std::string className = "unknown exception";
    std::string message;
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception &e) {
        className = ExceptionClassName(e);
        message = e.what();
    } catch (...) {
    }
    std::fprintf(stderr, "Unhandled %s%s%s\n", className.c_str(), message.empty() ? "" : ": ",
                 message.c_str());
    std::fflush(stderr);
    Quit(kUnhandledExceptionExitCode);
}

void RunCallback(const std::function<void()> &callback)
{
    CallbackMomentScope moment;
    try {
        const ExceptionHelper &helper = InstalledHelper();
        std::exception_ptr escaped = helper ? helper(callback) : CallFunctionWithExceptionHandling(callback);
        if (escaped)
            UnhandledException(escaped);
    } catch (...) {
        UnhandledException(std::current_exception());
    }
}

} // namespace tickora::runtime
