#pragma once

#include <QString>

#include <cstdint>

namespace tickora {

namespace runtime {
class Label;
}

// A counter field's text: the decimal number with one "0" in front below 10.
// Minutes and seconds always show two digits; hours grow past two without limit.
QString FieldText(std::int64_t value);

// The number a field's text holds. Only texts written by FieldText occur; any
// other text counts as 0.
std::int64_t FieldValue(const QString &text);

// Hours, minutes and seconds joined as the fields stand: "00:00:00", "100:00:00".
QString TimeString(const QString &hours, const QString &minutes, const QString &seconds);

struct Elapsed {
    std::int64_t hours;
    std::int64_t minutes;
    std::int64_t seconds;
};

// One second later: seconds roll over into minutes after 59, minutes into
// hours after 59, hours never roll over.
Elapsed NextSecond(Elapsed time);

// One tick of a counter kept in three label texts: read seconds, minutes,
// hours, add one second, write all three back in the same order (every field
// is written on every tick, changed or not).
void AddOneSecond(runtime::Label &seconds, runtime::Label &minutes, runtime::Label &hours);

} // namespace tickora
