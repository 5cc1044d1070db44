#include "runtime/widgets/controls/Slider.h"

#include <QSlider>

#include <algorithm>
#include <limits>

namespace tickora::runtime {

namespace {

class SliderWidget final : public QSlider {
public:
    explicit SliderWidget(QWidget *parent) : QSlider(Qt::Horizontal, parent)
    {
        // The runtime's sliders start out as a percentage, so a list that
        // gives Value before the range still lands where it asks.
        setRange(0, 100);
    }
};

QSlider *AsSlider(QWidget *widget) { return static_cast<QSlider *>(widget); }

// Qt's ranges are plain ints; a wider value pins to the nearest end.
int ToQtInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

Slider::Slider() = default;
Slider::~Slider() = default;

QWidget *Slider::CreateWidget(QWidget *parent)
{
    auto *widget = new SliderWidget(parent);
    // Qt reports every change of the value, whoever made it: drags, keys,
    // the wheel, clicks on the groove, the program and a range that shrank.
    QObject::connect(widget, &QSlider::valueChanged, widget, [this] { ValueChanged.Raise(*this); });
    return widget;
}

std::int64_t Slider::Value() const { return AsSlider(CheckedWidget())->value(); }

void Slider::SetValue(std::int64_t value) { AsSlider(CheckedWidget())->setValue(ToQtInt(value)); }

std::int64_t Slider::MinimumValue() const { return AsSlider(CheckedWidget())->minimum(); }

void Slider::SetMinimumValue(std::int64_t value)
{
    AsSlider(CheckedWidget())->setMinimum(ToQtInt(value));
}

std::int64_t Slider::MaximumValue() const { return AsSlider(CheckedWidget())->maximum(); }

void Slider::SetMaximumValue(std::int64_t value)
{
    AsSlider(CheckedWidget())->setMaximum(ToQtInt(value));
}

std::int64_t Slider::LineStep() const { return AsSlider(CheckedWidget())->singleStep(); }

void Slider::SetLineStep(std::int64_t step) { AsSlider(CheckedWidget())->setSingleStep(ToQtInt(step)); }

std::int64_t Slider::PageStep() const { return AsSlider(CheckedWidget())->pageStep(); }

void Slider::SetPageStep(std::int64_t step)
{
    QSlider *slider = AsSlider(CheckedWidget());
    slider->setPageStep(ToQtInt(step));
    // One tick mark per page, so the marks show where PageUp and PageDown land.
    slider->setTickInterval(slider->pageStep());
}

bool Slider::AllowLiveScrolling() const { return AsSlider(CheckedWidget())->hasTracking(); }

void Slider::SetAllowLiveScrolling(bool live) { AsSlider(CheckedWidget())->setTracking(live); }

std::int64_t Slider::TickMarkStyle() const
{
    switch (AsSlider(CheckedWidget())->tickPosition()) {
    case QSlider::TicksAbove:
        return 1;
    case QSlider::TicksBelow:
        return 2;
    case QSlider::TicksBothSides:
        return 3;
    case QSlider::NoTicks:
        break;
    }
    return 0;
}

void Slider::SetTickMarkStyle(std::int64_t style)
{
    QSlider::TickPosition position = QSlider::NoTicks;
    if (style == 1)
        position = QSlider::TicksAbove;
    else if (style == 2)
        position = QSlider::TicksBelow;
    else if (style == 3)
        position = QSlider::TicksBothSides;
    // Any other style draws no marks, as style 0 does.
    AsSlider(CheckedWidget())->setTickPosition(position);
}

bool Slider::Transparent() const
{
    CheckedWidget();
    return m_transparent;
}

void Slider::SetTransparent(bool transparent)
{
    CheckedWidget();
    m_transparent = transparent;
}

void Slider::SetProperty(std::string_view name, const PropertyValue &value)
{
    using T = PropertyTable<Slider>;
    static const T table{
        T::Setter("Value", &Slider::SetValue),
        T::Setter("MinimumValue", &Slider::SetMinimumValue),
        T::Setter("MaximumValue", &Slider::SetMaximumValue),
        T::Setter("LineStep", &Slider::SetLineStep),
        T::Setter("PageStep", &Slider::SetPageStep),
        T::Setter("AllowLiveScrolling", &Slider::SetAllowLiveScrolling),
        T::Setter("TickMarkStyle", &Slider::SetTickMarkStyle),
        T::Setter("Transparent", &Slider::SetTransparent),
    };
    if (!table.Apply(*this, name, value))
        RectControl::SetProperty(name, value);
}

} // namespace tickora::runtime
