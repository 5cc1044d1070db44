#pragma once

#include "runtime/core/Properties.h"
#include "runtime/core/Ref.h"

#include <QString>

#include <cstdint>
#include <memory>

class QObject;

namespace tickora::runtime {

class Control;
// The window that holds a control (drawn on Qt Widgets, one layer up); the
// core knows it by name only.
class Window;

// What a control asks of the window that holds it.
class ControlHost {
public:
    // The control registered under the name, or null.
    virtual Control *FindControl(const QString &name) const = 0;
    // A control was shown or hidden: the controls embedded in it follow.
    virtual void UpdateShownControls() = 0;
    // The object that parents the controls' widgets (a QWidget).
    virtual QObject *ControlArea() const = 0;

protected:
    ~ControlHost() = default;
};

// Anything a window holds by name: visible controls and timers.
class Control : public Object {
public:
    Control();
    ~Control() override;

    // The runtime's control constructor, run after the object is made for its window.
    virtual void Constructor();

    QString Name() const { return m_name; }
    void SetName(const QString &name);
    std::int64_t Index() const { return m_index; }
    void SetIndex(std::int64_t index);

    // The window the control belongs to; nil once that window is gone.
    Ref<runtime::Window> Window() const { return Ref<runtime::Window>(m_window.lock()); }

    void SetProperty(std::string_view name, const PropertyValue &value) override;

    // Runtime side: raised when the window opens, and when it closes.
    virtual void RaiseOpen();
    virtual void WindowClosed();
    // Runtime side: a container may have been shown or hidden.
    virtual void UpdateShown();

protected:
    friend class runtime::Window;
    // The window makes the control its own, once, right after making it.
    virtual void AttachToWindow(ControlHost &host, std::weak_ptr<runtime::Window> window);
    // Null before the control belongs to a window and once that window is gone.
    ControlHost *Host() const { return m_host; }

private:
    ControlHost *m_host = nullptr;
    std::weak_ptr<runtime::Window> m_window;
    QString m_name;
    std::int64_t m_index = 0;
};

} // namespace tickora::runtime
