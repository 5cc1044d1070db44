#pragma once

#include "runtime/core/Properties.h"
#include "runtime/core/Ref.h"

#include <cstdint>
#include <optional>

namespace tickora::runtime {

// A display. Screen 0 is the main screen.
class Screen : public Object {
public:
    explicit Screen(int index);

    // The screen of that index, or nil when there is none.
    static Ref<Screen> At(int index);

    std::int64_t Width() const;

    // Test seam: the width that screen 0 reports, or the real one when empty.
    static void SetMainScreenWidthForTesting(std::optional<std::int64_t> width);

private:
    int m_index;
};

} // namespace tickora::runtime
