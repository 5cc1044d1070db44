#pragma once

#include "runtime/Properties.h"
#include "runtime/Ref.h"

#include <QDateTime>

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

// A moment in the local time zone, read from the runtime clock.
class DateTime : public Object {
public:
    explicit DateTime(QDateTime local);

    static Ref<DateTime> Now();

    std::int64_t Hour() const;
    std::int64_t Minute() const;

private:
    QDateTime m_local;
};

} // namespace tickora::runtime
