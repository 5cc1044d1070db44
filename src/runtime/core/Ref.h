#pragma once

#include "runtime/core/Exceptions.h"

#include <memory>
#include <type_traits>
#include <typeinfo>
#include <utility>

namespace tickora::runtime {

// A counted reference to a runtime object. Objects live while someone holds a
// reference, as in the runtime the program was designed for; using a nil
// reference raises NilObjectException instead of crashing, and two references
// are equal exactly when they name the same object (identity, never content).
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(std::shared_ptr<T> object) : m_object(std::move(object)) {}
    template <class U>
        requires std::is_convertible_v<U *, T *>
    Ref(const Ref<U> &other) : m_object(other.Shared())
    {
    }

    T *operator->() const
    {
        if (!m_object)
            throw NilObjectException(QStringLiteral("nil object in use"));
        return m_object.get();
    }
    T &operator*() const { return *operator->(); }

    T *Get() const noexcept { return m_object.get(); }
    const std::shared_ptr<T> &Shared() const noexcept { return m_object; }
    explicit operator bool() const noexcept { return static_cast<bool>(m_object); }
    bool IsNil() const noexcept { return !m_object; }

    template <class U>
    friend bool operator==(const Ref &a, const Ref<U> &b) noexcept
    {
        return static_cast<const void *>(a.Get()) == static_cast<const void *>(b.Get());
    }

private:
    std::shared_ptr<T> m_object;
};

// Makes a new object of class T, counted from the start.
template <class T, class... Args>
Ref<T> NewObject(Args &&...args)
{
    return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}

// The runtime's class test: nil passes as nil, an object of another class raises.
template <class T, class U>
Ref<T> ClassTest(const Ref<U> &object)
{
    if (!object)
        return {};
    auto cast = std::dynamic_pointer_cast<T>(object.Shared());
    if (!cast)
        throw IllegalCastException(QStringLiteral("object is not a %1")
                                       .arg(QString::fromLatin1(typeid(T).name())));
    return Ref<T>(std::move(cast));
}

} // namespace tickora::runtime
