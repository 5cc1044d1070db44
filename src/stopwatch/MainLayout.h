#pragma once

#include "runtime/core/Properties.h"

#include <QString>

#include <cstdint>

namespace tickora {

inline constexpr std::int64_t kWindowWidth = 556;
inline constexpr std::int64_t kCollapsedHeight = 164;
inline constexpr std::int64_t kExpandedHeight = 374;
inline constexpr std::int64_t kReleasedTop = 100;

// The main window's own look, applied by its Layout step.
const runtime::PropertyList &MainWindowProperties();

// The look of one of the window's controls, by the control's name. The three
// timers share one list. Each list is built once and kept.
const runtime::PropertyList &MainControlProperties(const QString &controlName);

} // namespace tickora
