#pragma once

#include "runtime/Properties.h"
#include "runtime/Ref.h"

#include <QPointer>
#include <QString>

#include <cstdint>

class QWidget;

namespace tickora::runtime {

class Window;

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
    Ref<runtime::Window> Window() const;

    void SetProperty(std::string_view name, const PropertyValue &value) override;

    // Runtime side: raised when the window opens, and when it closes.
    virtual void RaiseOpen();
    virtual void WindowClosed();

protected:
    friend class runtime::Window;
    virtual void AttachToWindow(runtime::Window &window);
    runtime::Window *OwnerWindow() const { return m_window; }

private:
    runtime::Window *m_window = nullptr;
    QString m_name;
    std::int64_t m_index = 0;
};

// A control with a place on its window, drawn by a Qt widget.
class RectControl : public Control {
public:
    RectControl();
    ~RectControl() override;

    // Position and size in pixels of the window's content area, also for
    // embedded controls.
    std::int64_t Left() const { return m_left; }
    void SetLeft(std::int64_t left);
    std::int64_t Top() const { return m_top; }
    void SetTop(std::int64_t top);
    std::int64_t Width() const { return m_width; }
    void SetWidth(std::int64_t width);
    std::int64_t Height() const { return m_height; }
    void SetHeight(std::int64_t height);

    bool Enabled() const;
    void SetEnabled(bool enabled);
    // The control's own setting; an embedded control is shown only while its
    // container is shown too (IsShown).
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool IsShown() const;
    QString Tooltip() const;
    void SetTooltip(const QString &tooltip);
    // The name of the control this one is embedded in; empty for the window.
    QString InitialParent() const { return m_initialParent; }
    void SetInitialParent(const QString &parent);
    std::int64_t TabIndex() const { return m_tabIndex; }
    void SetTabIndex(std::int64_t tabIndex);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop);

    void SetProperty(std::string_view name, const PropertyValue &value) override;

    // The Qt widget that draws the control; null before it belongs to a window.
    QWidget *Widget() const;
    // Runtime side: shows or hides the widget after a container changed.
    void UpdateShown();

protected:
    void AttachToWindow(runtime::Window &window) override;
    virtual QWidget *CreateWidget(QWidget *parent) = 0;
    QWidget *CheckedWidget() const;
    RectControl *Container() const;
    virtual void TabStopChanged();

private:
    void UpdateGeometry();

    // Held as a QObject so that users of this header need no widget headers.
    QPointer<QObject> m_widget;
    std::int64_t m_left = 0;
    std::int64_t m_top = 0;
    std::int64_t m_width = 0;
    std::int64_t m_height = 0;
    bool m_visible = true;
    bool m_tabStop = true;
    std::int64_t m_tabIndex = 0;
    QString m_initialParent;
};

} // namespace tickora::runtime
