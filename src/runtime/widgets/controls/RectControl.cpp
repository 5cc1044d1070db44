#include "runtime/widgets/controls/RectControl.h"

#include "runtime/core/Boundary.h"

#include <QWidget>

namespace tickora::runtime {

RectControl::RectControl() = default;

RectControl::~RectControl()
{
    // The window's content widget owns ours; a control that outlives its
    // window finds it already gone.
    delete m_widget.data();
}

QWidget *RectControl::Widget() const { return static_cast<QWidget *>(m_widget.data()); }

QWidget *RectControl::CheckedWidget() const
{
    CheckUIThread();
    if (!m_widget)
        throw NilObjectException(QStringLiteral("control %1 has no window").arg(Name()));
    return Widget();
}

void RectControl::AttachToWindow(ControlHost &host, std::weak_ptr<runtime::Window> window)
{
    Control::AttachToWindow(host, std::move(window));
    m_widget = CreateWidget(qobject_cast<QWidget *>(host.ControlArea()));
    TabStopChanged();
    UpdateGeometry();
    UpdateShown();
}

void RectControl::SetLeft(std::int64_t left)
{
    CheckedWidget();
    m_left = left;
    UpdateGeometry();
}

void RectControl::SetTop(std::int64_t top)
{
    CheckedWidget();
    m_top = top;
    UpdateGeometry();
}

void RectControl::SetWidth(std::int64_t width)
{
    CheckedWidget();
    m_width = width;
    UpdateGeometry();
}

void RectControl::SetHeight(std::int64_t height)
{
    CheckedWidget();
    m_height = height;
    UpdateGeometry();
}

void RectControl::UpdateGeometry()
{
    if (QWidget *widget = Widget())
        widget->setGeometry(static_cast<int>(m_left), static_cast<int>(m_top),
                              static_cast<int>(std::max<std::int64_t>(m_width, 0)),
                              static_cast<int>(std::max<std::int64_t>(m_height, 0)));
}

bool RectControl::Enabled() const { return CheckedWidget()->isEnabled(); }

void RectControl::SetEnabled(bool enabled) { CheckedWidget()->setEnabled(enabled); }

void RectControl::SetVisible(bool visible)
{
    CheckedWidget();
    m_visible = visible;
    if (ControlHost *host = Host())
        host->UpdateShownControls();
    else
        UpdateShown();
}

RectControl *RectControl::Container() const
{
    ControlHost *host = Host();
    if (m_initialParent.isEmpty() || !host)
        return nullptr;
    auto *container = dynamic_cast<RectControl *>(host->FindControl(m_initialParent));
    return container == this ? nullptr : container;
}

bool RectControl::IsShown() const
{
    // Containers nest only a few levels; the depth guard stops a cycle of
    // names from hanging the window.
    const RectControl *control = this;
    for (int depth = 0; control && depth < 16; ++depth) {
        if (!control->m_visible)
            return false;
        control = control->Container();
    }
    return true;
}

void RectControl::UpdateShown()
{
    if (QWidget *widget = Widget())
        widget->setVisible(IsShown());
}

QString RectControl::Tooltip() const { return CheckedWidget()->toolTip(); }

void RectControl::SetTooltip(const QString &tooltip) { CheckedWidget()->setToolTip(tooltip); }

void RectControl::SetInitialParent(const QString &parent)
{
    CheckedWidget();
    m_initialParent = parent;
    UpdateShown();
}

void RectControl::SetTabIndex(std::int64_t tabIndex)
{
    CheckUIThread();
    m_tabIndex = tabIndex;
}

void RectControl::SetTabStop(bool tabStop)
{
    CheckUIThread();
    m_tabStop = tabStop;
    TabStopChanged();
}

// Controls that take part in keyboard focus say so when they are tab stops;
// the others (pictures, texts) never take it.
void RectControl::TabStopChanged() { CheckedWidget()->setFocusPolicy(Qt::NoFocus); }

void RectControl::SetProperty(std::string_view name, const PropertyValue &value)
{
    using T = PropertyTable<RectControl>;
    static const T table{
        T::Setter("Left", &RectControl::SetLeft),
        T::Setter("Top", &RectControl::SetTop),
        T::Setter("Width", &RectControl::SetWidth),
        T::Setter("Height", &RectControl::SetHeight),
        T::Setter("Enabled", &RectControl::SetEnabled),
        T::Setter("Visible", &RectControl::SetVisible),
        T::Setter("Tooltip", &RectControl::SetTooltip),
        T::Setter("InitialParent", &RectControl::SetInitialParent),
        T::Setter("TabIndex", &RectControl::SetTabIndex),
        T::Setter("TabStop", &RectControl::SetTabStop),
        // Every window of the program has a fixed size, so where a control
        // is locked never moves it; the values are kept as given.
        T::Inert<bool>("LockLeft"),
        T::Inert<bool>("LockTop"),
        T::Inert<bool>("LockRight"),
        T::Inert<bool>("LockBottom"),
        T::Inert<std::int64_t>("TabPanelIndex"),
        T::Inert<bool>("AllowAutoDeactivate"),
    };
    if (!table.Apply(*this, name, value))
        Control::SetProperty(name, value);
}

} // namespace tickora::runtime
