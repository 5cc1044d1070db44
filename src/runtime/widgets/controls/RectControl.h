#pragma once

#include "runtime/core/Control.h"

#include <QPointer>
#include <QString>

#include <cstdint>

class QWidget;

namespace tickora::runtime {

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
    void UpdateShown() override;

protected:
    void AttachToWindow(ControlHost &host, std::weak_ptr<runtime::Window> window) override;
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
