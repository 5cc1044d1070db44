#include "stopwatch/Placement.h"

#include "runtime/core/Screen.h"
#include "stopwatch/main.h"

namespace tickora {

std::int64_t DockedLeft(std::int64_t screenWidth, std::int64_t windowWidth)
{
    return static_cast<std::int64_t>(static_cast<double>(screenWidth) / 2.0
                                     - static_cast<double>(windowWidth) / 2.0);
}

void Dock(main &window)
{
    window.SetTop(kDockedTop);
    const std::int64_t screenWidth = runtime::Screen::At(0)->Width();
    const std::int64_t windowWidth = window.Width();
    window.SetLeft(DockedLeft(screenWidth, windowWidth));
}

} // namespace tickora
