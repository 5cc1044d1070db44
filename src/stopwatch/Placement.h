#pragma once

#include <cstdint>

namespace tickora {

// The docked place of the main window: centred on the main screen, by halving
// both widths in double precision and truncating toward zero (so a difference
// of -0.5 gives 0, not -1). The result is not clamped to the screen.
inline std::int64_t DockedLeft(std::int64_t screenWidth, std::int64_t windowWidth)
{
    return static_cast<std::int64_t>(static_cast<double>(screenWidth) / 2.0
                                     - static_cast<double>(windowWidth) / 2.0);
}

inline constexpr std::int64_t kDockedTop = 0;

} // namespace tickora
