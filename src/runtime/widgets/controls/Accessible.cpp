#include "runtime/widgets/controls/Accessible.h"

#include "runtime/widgets/controls/RectControl.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace tickora::runtime::detail {

namespace {

using Accessible::Role;

// The interface Qt's accessibility asks about one of the runtime's own
// controls. It keeps nothing: every answer comes from the control as it is
// at that moment, reached through its widget, which Qt's cache outlives not.
class ControlAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ControlAccessible(QWidget *widget) : QAccessibleWidget(widget) {}

    QAccessible::Role role() const override
    {
        switch (Read()) {
        case Role::Button:
        case Role::ToggleButton:
            return QAccessible::Button;
        case Role::Link:
            return QAccessible::Link;
        case Role::Text:
            return QAccessible::StaticText;
        default:
            return QAccessible::Graphic;
        }
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return Reading().Name;
        // A lamp's tooltip is its name already; said once is enough.
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Description && text == Reading().Name ? QString() : text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const RectControl *control = Owner();
        if (control && control->AccessibleRole() == Role::Decoration)
            state.invisible = true;
        // Below the edge of a collapsed window, say, where nobody sees it.
        if (const QWidget *area = widget()->parentWidget(); area && !area->rect().intersects(widget()->geometry()))
            state.offscreen = true;
        // Qt reads a checkable button to AT-SPI as a push button that is
        // checked or not, as it does its own toggle buttons.
        if (Read() == Role::ToggleButton) {
            state.checkable = true;
            state.checked = Reading().Checked;
        }
        return state;
    }

    // Qt reads "Label" as "labelled by the other", "Labelled" as "label for it".
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        QList<QPair<QAccessibleInterface *, QAccessible::Relation>> found;
        const RectControl *control = Owner();
        if (!control)
            return found;
        if (match & QAccessible::Label) {
            if (RectControl *label = control->AccessibleLabelControl(); label && label->Widget())
                found.append({QAccessible::queryAccessibleInterface(label->Widget()), QAccessible::Label});
        }
        if ((match & QAccessible::Labelled) && widget()->parentWidget()) {
            for (QObject *sibling : widget()->parentWidget()->children()) {
                auto *other = dynamic_cast<ControlWidget *>(sibling);
                if (other && other->Control().AccessibleLabelControl() == control)
                    found.append({QAccessible::queryAccessibleInterface(sibling), QAccessible::Labelled});
            }
        }
        return found;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        const Role read = Read();
        if (type == QAccessible::TextInterface && (read == Role::Text || read == Role::Link))
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (CanPress())
            names.prepend(QAccessibleActionInterface::pressAction());
        return names;
    }

    void doAction(const QString &name) override
    {
        if (RectControl *owner = Owner(); owner && owner->CanPress() && name == QAccessibleActionInterface::pressAction())
            owner->Press();
        else
            QAccessibleWidget::doAction(name);
    }

    // The text, read only: nothing to select, no caret to move.
    QString text(int start, int end) const override
    {
        const QString whole = Text();
        if (end < 0 || end > whole.size())
            end = static_cast<int>(whole.size());
        return start < 0 || start >= end ? QString() : whole.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Text().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    // Null once the widget is being destroyed, when it is a plain QWidget.
    RectControl *Owner() const
    {
        auto *drawn = dynamic_cast<ControlWidget *>(widget());
        return drawn ? &drawn->Control() : nullptr;
    }
    Role Read() const
    {
        const RectControl *owner = Owner();
        return owner ? owner->ReadAs() : Role::Decoration;
    }
    Accessible::Description Reading() const
    {
        const RectControl *owner = Owner();
        return owner ? owner->Reading() : Accessible::Description();
    }
    bool CanPress() const
    {
        const RectControl *owner = Owner();
        return owner && owner->CanPress();
    }
    QString Text() const { return Reading().Text; }
};

QAccessibleInterface *ControlInterface(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || !dynamic_cast<ControlWidget *>(widget))
        return nullptr;
    return new ControlAccessible(widget);
}

} // namespace

void InstallAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ControlInterface);
        return true;
    }();
    (void)installed;
}

void NotifyAccessibleChange(QWidget *widget, bool toggles)
{
    if (!widget || !QAccessible::isActive())
        return;
    QAccessibleEvent named(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    if (!toggles)
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent stated(widget, changed);
    QAccessible::updateAccessibility(&stated);
}

} // namespace tickora::runtime::detail
