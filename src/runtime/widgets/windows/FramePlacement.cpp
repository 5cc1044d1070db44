#include "runtime/widgets/windows/FramePlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace tickora::runtime {

namespace {

// The frame around a shown window as the window manager reports it; none
// before it has reported one, and none without a window manager.
QMargins ReportedFrameMargins(const QWidget &widget)
{
    const QWindow *handle = widget.windowHandle();
    if (!widget.isVisible() || !handle || !handle->handle())
        return {};
    return handle->frameMargins();
}

// The frame the window manager last drew around one of our windows. A window
// about to open is expected to get the same, so that it can be centred by its
// frame before the window manager has said a word about it.
QMargins &LastFrameMargins()
{
    static QMargins margins;
    return margins;
}

} // namespace

FramePlacement::FramePlacement(QWidget &frame) : m_frame(frame) {}

QPoint FramePlacement::Position() const
{
    // Once the frame is known, Qt gives a window's place as its frame's.
    return m_request.value_or(m_frame.pos());
}

void FramePlacement::MoveTo(QPoint topLeft)
{
    m_placed = true;
    m_centred = false;
    Place(topLeft);
}

void FramePlacement::CentreOnMainScreen()
{
    m_centred = true;
    Place(CentredOnMainScreen());
}

void FramePlacement::Place(QPoint topLeft)
{
    QWidget &widget = m_frame;
    if (!ReportedFrameMargins(widget).isNull()) {
        m_request.reset();
        widget.move(topLeft);
        return;
    }
    // Until the window manager has drawn the frame, a window that has no
    // native window yet asks for its frame's place when it opens (before
    // that, Qt's move names the frame's place); one that has would get its
    // content put there and its title bar above it, so it asks for the
    // frame's place itself. Either way the place is checked once the frame
    // is there.
    m_request = topLeft;
    widget.move(topLeft);
    if (QWindow *handle = widget.windowHandle(); handle && handle->handle())
        handle->setFramePosition(topLeft);
}

void FramePlacement::FrameMoved()
{
    if (!m_request)
        return;
    const QMargins margins = ReportedFrameMargins(m_frame);
    if (margins.isNull())
        return;
    LastFrameMargins() = margins;
    const QPoint wanted = m_centred ? CentredOnMainScreen() : *m_request;
    m_request.reset();
    // A window manager that placed the frame elsewhere, or a frame of
    // another size than the one the centring expected.
    if (m_frame.pos() != wanted)
        m_frame.move(wanted);
}

QPoint FramePlacement::CentredOnMainScreen() const
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return Position();
    const QMargins reported = ReportedFrameMargins(m_frame);
    const QSize outer = m_frame.size().grownBy(reported.isNull() ? LastFrameMargins() : reported);
    const QRect area = screen->availableGeometry();
    return area.topLeft() + QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
}

} // namespace tickora::runtime
