#pragma once

#include "runtime/core/Boundary.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace tickora::runtime {

template <class Signature>
class Event;

// One event of a runtime object, with at most one handler. The runtime raises
// it from Qt's call-backs; raising runs the handler behind the call-back
// boundary, so an exception from a handler ends in UnhandledException and
// never reaches Qt. A handler that returns a value answers whether it handled
// the event; an unattached or failed handler counts as "not handled".
template <class R, class... Args>
class Event<R(Args...)> {
public:
    using Handler = std::function<R(Args...)>;

    void AddHandler(Handler handler)
    {
        CheckUIThread();
        m_handler = std::move(handler);
    }
    bool IsAttached() const noexcept { return static_cast<bool>(m_handler); }

    R Raise(Args... args) const
    {
        if (!m_handler)
            return R();
        // A copy, so a handler that replaces itself does not pull the ground from under its own call.
        Handler handler = m_handler;
        if constexpr (std::is_void_v<R>)
            RunCallback([&] { handler(args...); });
        else
            return RunCallback([&] { return handler(args...); }, R());
    }

private:
    Handler m_handler;
};

// A typed delegate on a window's operation. Calling through the member pointer
// dispatches virtually, so a subclass that replaces the handler is the one called.
template <class Receiver, class R, class... Args>
auto Delegate(Receiver *receiver, R (Receiver::*method)(Args...))
{
    return std::function<R(Args...)>([receiver, method](Args... args) -> R {
        return (receiver->*method)(std::forward<Args>(args)...);
    });
}

} // namespace tickora::runtime
