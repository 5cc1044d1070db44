#include "runtime/widgets/controls/ListScrollBar.h"

#include <QStyleOptionSlider>

namespace tickora::runtime::detail {

ListScrollBar::ListScrollBar() : QScrollBar(Qt::Vertical) {}

void ListScrollBar::sliderChange(SliderChange change)
{
    if (change == SliderRangeChange && m_shown && *m_shown == CurrentLook())
        return;
    QScrollBar::sliderChange(change);
}

void ListScrollBar::paintEvent(QPaintEvent *event)
{
    m_shown = CurrentLook();
    QScrollBar::paintEvent(event);
}

ListScrollBar::Look ListScrollBar::CurrentLook() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const auto part = [this, &option](QStyle::SubControl control) {
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
    };
    return {part(QStyle::SC_ScrollBarGroove),  part(QStyle::SC_ScrollBarSlider),
            part(QStyle::SC_ScrollBarAddLine), part(QStyle::SC_ScrollBarSubLine),
            part(QStyle::SC_ScrollBarAddPage), part(QStyle::SC_ScrollBarSubPage),
            part(QStyle::SC_ScrollBarFirst),   part(QStyle::SC_ScrollBarLast),
            option.sliderValue == option.minimum, option.sliderValue == option.maximum,
            option.minimum == option.maximum, option.state, option.activeSubControls};
}

} // namespace tickora::runtime::detail
