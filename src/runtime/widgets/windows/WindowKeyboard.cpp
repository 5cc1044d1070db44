#include "runtime/widgets/windows/Window.h"

#include "runtime/core/Boundary.h"
#include "runtime/widgets/controls/RectControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

// The window's keyboard: the keys no control took, and the order in which Tab
// moves the focus.
namespace tickora::runtime {

namespace {

// The runtime's name of a key: see Window::Event_KeyDown.
QString KeyName(const QKeyEvent &event)
{
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    switch (event.key()) {
    case Qt::Key_Enter:
        return QString(QChar(3));
    case Qt::Key_Return:
        return QStringLiteral("\r");
    case Qt::Key_Backspace:
        return QString(QChar(8));
    case Qt::Key_Tab:
        return QString(QChar(9));
    case Qt::Key_Escape:
        return QString(QChar(27));
    case Qt::Key_Delete:
        return keypad ? QString() : QString(QChar(127));
    case Qt::Key_Left:
        return keypad ? QString() : QString(QChar(28));
    case Qt::Key_Right:
        return keypad ? QString() : QString(QChar(29));
    case Qt::Key_Up:
        return keypad ? QString() : QString(QChar(30));
    case Qt::Key_Down:
        return keypad ? QString() : QString(QChar(31));
    default:
        break;
    }
    // Only what types a character of its own; no dead keys, no function keys.
    const QString text = event.text();
    return text.size() == 1 && text.at(0).isPrint() ? text : QString();
}

} // namespace

bool Window::Event_KeyDown(const QString &) { return false; }

void Window::KeyReleased(const QKeyEvent &event)
{
    if (!event.isAutoRepeat())
        m_released = {event.key(), event.timestamp()};
}

bool Window::RaiseKeyDown(const QKeyEvent &event)
{
    // A key held down is one press: the platform's repeats are not raised.
    // X sends each repeat as a release and a press at one instant, which Qt
    // marks as a repeat only when it has read both at once; a busy machine
    // hands it the release alone. A press at the very instant its key was
    // let go is a repeat all the same.
    const bool rePressed = event.timestamp() != 0 && event.key() == m_released.first
                           && event.timestamp() == m_released.second;
    if (event.isAutoRepeat() || rePressed)
        return false;
    const bool modified = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (modified || !HandlesEvent(QStringLiteral("KeyDown")) || qobject_cast<QLineEdit *>(QApplication::focusWidget()))
        return false;
    const QString key = KeyName(event);
    if (key.isEmpty())
        return false;
    return RunCallback([&] { return Event_KeyDown(key); }, false);
}

// Qt orders only widgets that take the focus at that moment, and a control
// out of sight takes it again once the window grows: each control is ordered
// as if it took it, then left as it was.
void Window::ApplyTabOrder()
{
    std::vector<std::pair<std::vector<std::int64_t>, QWidget *>> order;
    for (const Ref<Control> &control : m_controls) {
        auto *rect = dynamic_cast<RectControl *>(control.Get());
        if (!rect || !rect->Widget() || !rect->TakesFocus())
            continue;
        // TabIndex counts within a container: the path of indices from the
        // outermost container down to the control places it.
        std::vector<std::int64_t> path;
        for (const RectControl *at = rect; at && path.size() < 16; at = at->Container())
            path.push_back(at->TabIndex());
        std::reverse(path.begin(), path.end());
        order.emplace_back(std::move(path), rect->Widget());
    }
    std::stable_sort(order.begin(), order.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<Qt::FocusPolicy> policies;
    for (const auto &[path, widget] : order) {
        policies.push_back(widget->focusPolicy());
        widget->setFocusPolicy(Qt::StrongFocus);
    }
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i].second->setFocusPolicy(policies[i]);
}

} // namespace tickora::runtime
