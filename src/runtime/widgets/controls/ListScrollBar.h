#pragma once

#include <QScrollBar>
#include <QStyle>

#include <optional>

namespace tickora::runtime::detail {

// A list's vertical scroll bar. Every row a list gains changes the bar's
// range, and Qt repaints the bar for each change. Once the list is long the
// handle has its smallest size and stays where it is, so the bar would draw
// the very same picture again for every row. This one repaints on a range
// change only when it moves or resizes a part of the bar, or takes the bar to
// or away from either end, which a style may show (a dimmed arrow); any other
// change repaints as usual.
class ListScrollBar final : public QScrollBar {
public:
    ListScrollBar();

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Look {
        QRect groove, slider, addLine, subLine, addPage, subPage, first, last;
        bool atMinimum = false;
        bool atMaximum = false;
        bool empty = false;
        QStyle::State state;
        QStyle::SubControls active;
        bool operator==(const Look &) const = default;
    };

    Look CurrentLook() const;

    // What the bar last painted.
    std::optional<Look> m_shown;
};

} // namespace tickora::runtime::detail
