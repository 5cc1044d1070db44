#pragma once

#include <QString>

#include <exception>
#include <string>

namespace tickora::runtime {

// Failures of the runtime travel as C++ exceptions. They are caught at every
// call-back boundary (Boundary.h) and never reach Qt's event loop.
class RuntimeException : public std::exception {
public:
    explicit RuntimeException(QString message = {});

    // The name under which the unhandled-exception report identifies the failure.
    virtual const char *ClassName() const noexcept;
    const QString &Message() const noexcept { return m_message; }
    const char *what() const noexcept override;

private:
    QString m_message;
    std::string m_what;
};

// A nil object was used where an object was needed.
class NilObjectException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char *ClassName() const noexcept override;
};

// A user-interface object was touched from a thread other than the event loop's.
class ThreadAccessingUIException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char *ClassName() const noexcept override;
};

// A class test failed: the object is not of the class asked for.
class IllegalCastException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char *ClassName() const noexcept override;
};

// A name (a property, a control) that the object does not have.
class KeyNotFoundException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char *ClassName() const noexcept override;
};

// A value of the wrong kind for its property.
class TypeMismatchException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char *ClassName() const noexcept override;
};

// The system refused an outside request, such as opening a web page.
class IOException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char *ClassName() const noexcept override;
};

// Name of the exception's class as the unhandled-exception report prints it.
std::string ExceptionClassName(const std::exception &e);

} // namespace tickora::runtime
