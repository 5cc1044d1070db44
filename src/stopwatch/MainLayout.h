#pragma once

#include "runtime/Properties.h"

#include <cstdint>

namespace tickora {

inline constexpr std::int64_t kWindowWidth = 556;
inline constexpr std::int64_t kCollapsedHeight = 164;
inline constexpr std::int64_t kExpandedHeight = 374;

// The main window's own look, applied by its Layout step.
const runtime::PropertyList &MainWindowProperties();

} // namespace tickora
