#pragma once

#include <QPoint>

#include <optional>

class QWidget;

namespace tickora::runtime {

// Where a window's outer frame goes. Top and Left name the frame's corner,
// the same at start and at every later move, so under a window manager the
// title bar is on screen at Top 0. The window manager tells the frame's size
// only once the window is shown; until then a place asked for is kept and
// checked once the frame is known.
class FramePlacement {
public:
    // The frame must outlive the placement's use: its window asks only while
    // the frame is there.
    explicit FramePlacement(QWidget &frame);

    // The frame's place: as asked for until the frame is known, then as it is.
    QPoint Position() const;
    // Puts the frame there, as the program asks.
    void MoveTo(QPoint topLeft);
    // Whether the program has placed the window itself.
    bool IsPlaced() const { return m_placed; }
    // Centres the frame on the main screen's available area.
    void CentreOnMainScreen();
    // The frame moved: once the window manager has told the frame's size, the
    // frame is put where it was asked to be.
    void FrameMoved();

private:
    void Place(QPoint topLeft);
    QPoint CentredOnMainScreen() const;

    QWidget &m_frame;
    // Where the program asked the outer frame to be, kept until the window
    // manager has told us how big the frame is.
    std::optional<QPoint> m_request;
    bool m_placed = false;
    bool m_centred = false;
};

} // namespace tickora::runtime
