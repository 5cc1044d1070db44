#pragma once

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace tickora::runtime {

// Every user-interface operation belongs to the event loop's thread; from any
// other thread it raises ThreadAccessingUIException.
void CheckUIThread();

// Runs a function and returns the runtime exception that escaped it, or null.
// Exceptions of other kinds pass on.
std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()> &function);

// The program installs the wrapper through which the runtime runs its
// call-backs; without one the runtime uses CallFunctionWithExceptionHandling.
using ExceptionHelper = std::function<std::exception_ptr(const std::function<void()> &)>;
void RuntimeSetExceptionHelper(ExceptionHelper helper);

// The end of every exception that nothing handled: reports it on stderr with
// its class name and ends the program with a non-zero exit code.
void UnhandledException(std::exception_ptr exception);

// The exit code that an unhandled exception ends the program with.
inline constexpr int kUnhandledExceptionExitCode = 70;

// Runs one call-back from Qt into program code. Whatever the call-back throws
// is handed to UnhandledException here, so no exception ever unwinds through
// Qt's event loop. Returns the call-back's result, or `fallback` if it threw.
void RunCallback(const std::function<void()> &callback);

template <class F, class R = std::invoke_result_t<F>>
    requires(!std::is_void_v<R>)
R RunCallback(F &&callback, R fallback)
{
    R result = fallback;
    RunCallback(std::function<void()>([&] { result = callback(); }));
    return result;
}

} // namespace tickora::runtime
