#include "runtime/widgets/controls/RectControl.h"

#include "runtime/core/Boundary.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFocusFrame>
#include <QWidget>

namespace tickora::runtime {

namespace {

// Qt's focus frame around a widget while it has the keyboard focus. It lies
// outside the widget, in the highlight colour, lets clicks through and is no
// control of its own to screen readers. It is the keyboard's: a click that
// gives the widget the focus shows no ring until a key is pressed there, so
// a mouse user sees the window as before.
class FocusRing final : public QObject {
public:
    explicit FocusRing(QWidget &widget) : QObject(&widget), m_widget(widget)
    {
        widget.installEventFilter(this);
        Show(widget.hasFocus());
    }
    ~FocusRing() override { delete m_frame.data(); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            Show(static_cast<QFocusEvent *>(event)->reason() != Qt::MouseFocusReason);
        else if (event->type() == QEvent::FocusOut)
            Show(false);
        else if (event->type() == QEvent::KeyPress)
            Show(true);
        return false;
    }

private:
    void Show(bool shown)
    {
        if (!shown && !m_frame)
            return;
        if (!m_frame) {
            m_frame = new QFocusFrame(m_widget.parentWidget());
            QPalette palette = m_frame->palette();
            palette.setColor(QPalette::WindowText, palette.color(QPalette::Active, QPalette::Highlight));
            m_frame->setPalette(palette);
        }
        m_frame->setWidget(shown ? &m_widget : nullptr);
    }

    QWidget &m_widget;
    QPointer<QFocusFrame> m_frame;
};

} // namespace

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
    detail::InstallAccessibleControls();
    m_widget = CreateWidget(qobject_cast<QWidget *>(host.ControlArea()));
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
    UpdateFocus();
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
    UpdateFocus();
}

// Qt keeps the focus off hidden widgets itself, but not off a shown one that
// lies outside its window, as the lap list does below a collapsed window.
// Such a control hands the focus back to the window, where keys still work.
void RectControl::UpdateFocus()
{
    QWidget *widget = Widget();
    if (!widget)
        return;
    const QWidget *area = widget->parentWidget();
    const bool inSight = !area || area->rect().intersects(widget->geometry());
    const bool takes = TakesFocus() && inSight;
    if (!takes && widget->hasFocus())
        widget->window()->setFocus(Qt::OtherFocusReason);
    widget->setFocusPolicy(takes ? Qt::StrongFocus : Qt::NoFocus);
}

void RectControl::SetAllowFocusRing(bool allow)
{
    QWidget *widget = CheckedWidget();
    m_focusRing = allow;
    if (!allow)
        delete m_ring.data();
    else if (!m_ring)
        m_ring = new FocusRing(*widget);
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
    UpdateFocus();
}

void RectControl::SetAccessibleRole(Accessible::Role role)
{
    CheckedWidget();
    m_accessibleRole = role;
}

void RectControl::SetAccessibleName(const QString &name)
{
    // Qt's own controls read their name from the widget.
    CheckedWidget()->setAccessibleName(name);
    m_accessibleName = name;
}

void RectControl::SetAccessibleLabel(const QString &controlName)
{
    CheckedWidget();
    m_accessibleLabel = controlName;
}

RectControl *RectControl::AccessibleLabelControl() const
{
    ControlHost *host = Host();
    if (m_accessibleLabel.isEmpty() || !host)
        return nullptr;
    auto *label = dynamic_cast<RectControl *>(host->FindControl(m_accessibleLabel));
    return label == this ? nullptr : label;
}

Accessible::Role RectControl::ReadAs() const
{
    if (m_accessibleRole == Accessible::Role::Automatic || m_accessibleRole == Accessible::Role::Decoration)
        return AutomaticRole();
    return m_accessibleRole;
}

QString RectControl::GivenName() const
{
    if (!m_accessibleName.isEmpty())
        return m_accessibleName;
    if (const RectControl *label = AccessibleLabelControl()) {
        const Accessible::Description read = label->Reading();
        return read.Text.isEmpty() ? read.Name : read.Text;
    }
    return {};
}

Accessible::Description RectControl::Reading() const { return {.Name = GivenName()}; }

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
        T::Setter("AllowFocusRing", &RectControl::SetAllowFocusRing),
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
