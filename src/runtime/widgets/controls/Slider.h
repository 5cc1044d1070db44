#pragma once

#include "runtime/widgets/controls/RectControl.h"
#include "runtime/core/Event.h"

namespace tickora::runtime {

// A horizontal slider over a whole-number range. ValueChanged is raised for
// every change of Value, by the user or by the program; with live scrolling
// also while the thumb is dragged.
class Slider : public RectControl {
public:
    Slider();
    ~Slider() override;

    std::int64_t Value() const;
    void SetValue(std::int64_t value);
    std::int64_t MinimumValue() const;
    void SetMinimumValue(std::int64_t value);
    std::int64_t MaximumValue() const;
    void SetMaximumValue(std::int64_t value);
    std::int64_t Maximum() const { return MaximumValue(); }
    std::int64_t LineStep() const;
    void SetLineStep(std::int64_t step);
    std::int64_t PageStep() const;
    void SetPageStep(std::int64_t step);
    bool AllowLiveScrolling() const;
    void SetAllowLiveScrolling(bool live);
    // 0 none, 1 above, 2 below, 3 both sides.
    std::int64_t TickMarkStyle() const;
    void SetTickMarkStyle(std::int64_t style);
    // Kept as given: the slider paints no background of its own either way.
    bool Transparent() const;
    void SetTransparent(bool transparent);

    Event<void(Slider &)> ValueChanged;

    void SetProperty(std::string_view name, const PropertyValue &value) override;
    bool TakesFocus() const override { return TabStop(); }

protected:
    QWidget *CreateWidget(QWidget *parent) override;

private:
    bool m_transparent = true;
};

} // namespace tickora::runtime
