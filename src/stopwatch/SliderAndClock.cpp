// The opacity slider and the wall clock.
#include "runtime/core/DateTime.h"
#include "runtime/widgets/windows/WindowRegistry.h"
#include "stopwatch/TimeText.h"
#include "stopwatch/main.h"

namespace tickora {

void main::TransparencySlider_ValueChanged(Slider &slider)
{
    // The whole window, its controls included, takes the slider's value in
    // per cent as its opacity: once through its native handle, once through
    // the window itself, as the two platform calls did.
    const std::int64_t handle = Handle();
    const double alpha = static_cast<double>(TransparencySlider()->Value())
        / static_cast<double>(TransparencySlider()->Maximum());
    runtime::SetAlphaValue(handle, alpha);
    const float opacity = static_cast<float>(static_cast<double>(slider.Value()) / 100.0);
    SetOpacity(static_cast<double>(opacity));
}

void main::TimerTime_Action(Timer &)
{
    // One reading of the clock for both fields, so they never straddle a minute.
    const auto now = runtime::DateTime::Now();
    LabelHour()->SetValue(FieldText(now->Hour()));
    LabelMin()->SetValue(FieldText(now->Minute()));
}

} // namespace tickora
