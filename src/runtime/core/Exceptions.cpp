#include "runtime/core/Exceptions.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace tickora::runtime {

RuntimeException::RuntimeException(QString message)
    : m_message(std::move(message)), m_what(m_message.toStdString())
{
}

const char *RuntimeException::ClassName() const noexcept { return "RuntimeException"; }
const char *RuntimeException::what() const noexcept { return m_what.c_str(); }

const char *NilObjectException::ClassName() const noexcept { return "NilObjectException"; }
const char *ThreadAccessingUIException::ClassName() const noexcept { return "ThreadAccessingUIException"; }
const char *IllegalCastException::ClassName() const noexcept { return "IllegalCastException"; }
const char *KeyNotFoundException::ClassName() const noexcept { return "KeyNotFoundException"; }
const char *TypeMismatchException::ClassName() const noexcept { return "TypeMismatchException"; }
const char *IOException::ClassName() const noexcept { return "IOException"; }

std::string ExceptionClassName(const std::exception &e)
{
    if (const auto *runtimeError = dynamic_cast<const RuntimeException *>(&e))
        return runtimeError->ClassName();
    const char *mangled = typeid(e).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return status == 0 && demangled ? std::string(demangled.get()) : std::string(mangled);
}

} // namespace tickora::runtime
