#pragma once

#include <cstdint>

namespace tickora {

class main;

// The docked place of the main window: centred on the main screen, by halving
// both widths in double precision and truncating toward zero (so a difference
// of -0.5 gives 0, not -1). The result is not clamped to the screen.
std::int64_t DockedLeft(std::int64_t screenWidth, std::int64_t windowWidth);

inline constexpr std::int64_t kDockedTop = 0;

// Docks the main window: at the top edge of screen 0, centred on it (the
// window at start and the dock lamp follow this one rule).
void Dock(main &window);

} // namespace tickora
