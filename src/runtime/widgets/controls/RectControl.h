#pragma once

#include "runtime/core/Control.h"
#include "runtime/widgets/controls/Accessible.h"

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
    // A ring around the control while it has the keyboard focus.
    bool AllowFocusRing() const { return m_focusRing; }
    void SetAllowFocusRing(bool allow);

    // What a screen reader is told (Accessible.h). The role and the label
    // apply to the runtime's own controls (canvases, labels); the controls Qt
    // draws itself (buttons, sliders, lists) keep Qt's role and take the name.
    Accessible::Role AccessibleRole() const { return m_accessibleRole; }
    void SetAccessibleRole(Accessible::Role role);
    QString AccessibleName() const { return m_accessibleName; }
    void SetAccessibleName(const QString &name);
    // The name of the control whose text names this one, as a caption names
    // the field below it; empty for none.
    QString AccessibleLabel() const { return m_accessibleLabel; }
    void SetAccessibleLabel(const QString &controlName);

    void SetProperty(std::string_view name, const PropertyValue &value) override;

    // The Qt widget that draws the control; null before it belongs to a window.
    QWidget *Widget() const;

    // Runtime side: shows or hides the widget after a container or the
    // window's size changed. A control wholly outside its window's content
    // area cannot be seen, so it takes no keyboard focus there.
    void UpdateShown() override;

    // Runtime side, for screen readers: the role the control is read as
    // (never Automatic), what it reads as now, and its press, which does what
    // a click does; a control that is hidden or disabled cannot be pressed.
    Accessible::Role ReadAs() const;
    virtual Accessible::Description Reading() const;
    virtual bool CanPress() const { return false; }
    virtual void Press() {}
    // The control named by AccessibleLabel, or null.
    RectControl *AccessibleLabelControl() const;
    // The control this one is embedded in (InitialParent), or null.
    RectControl *Container() const;
    // Whether the control takes the keyboard focus at all when it can be
    // seen (buttons, sliders, lists do as tab stops; pictures and texts never).
    virtual bool TakesFocus() const { return false; }

protected:
    void AttachToWindow(ControlHost &host, std::weak_ptr<runtime::Window> window) override;
    virtual QWidget *CreateWidget(QWidget *parent) = 0;
    QWidget *CheckedWidget() const;
    void UpdateFocus();
    // The role Automatic stands for in the control's class.
    virtual Accessible::Role AutomaticRole() const { return Accessible::Role::Picture; }
    // The name given by the program or by the labelling control.
    QString GivenName() const;

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
    bool m_focusRing = false;
    std::int64_t m_tabIndex = 0;
    QString m_initialParent;
    // The focus ring's watcher, a child of the widget.
    QPointer<QObject> m_ring;
    Accessible::Role m_accessibleRole = Accessible::Role::Automatic;
    QString m_accessibleName;
    QString m_accessibleLabel;
};

} // namespace tickora::runtime
