#include "runtime/widgets/controls/ListColumns.h"

#include <QStringList>

#include <algorithm>

namespace tickora::runtime::detail {

namespace {
// A column whose width is not given in pixels never shrinks below this.
constexpr int kMinimumSharedWidth = 20;
constexpr std::int64_t kMaximumMeasure = 32000;
} // namespace

int ToMeasure(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, kMaximumMeasure)); }

std::vector<ColumnWidth> ParseColumnWidths(const QString &widths)
{
    std::vector<ColumnWidth> parsed;
    if (widths.trimmed().isEmpty())
        return parsed;
    for (const QString &part : widths.split(QLatin1Char(','))) {
        QString entry = part.trimmed();
        const bool percent = entry.endsWith(QLatin1Char('%'));
        if (percent)
            entry.chop(1);
        bool ok = false;
        const int number = entry.trimmed().toInt(&ok);
        ColumnWidth width;
        if (ok && number >= 0)
            width = {percent ? ColumnWidth::Percent : ColumnWidth::Pixels, ToMeasure(number)};
        parsed.push_back(width);
    }
    return parsed;
}

std::vector<int> ColumnPixelWidths(const std::vector<ColumnWidth> &widths, int columns, int available)
{
    std::vector<int> pixels(static_cast<std::size_t>(std::max(columns, 0)), 0);
    int given = 0;
    int sharing = 0;
    for (std::size_t at = 0; at < pixels.size(); ++at) {
        const ColumnWidth width = at < widths.size() ? widths[at] : ColumnWidth{};
        if (width.kind == ColumnWidth::Share) {
            ++sharing;
            continue;
        }
        pixels[at] = width.kind == ColumnWidth::Pixels
                         ? width.value
                         : ToMeasure(static_cast<std::int64_t>(available) * width.value / 100);
        given += pixels[at];
    }
    const int shared = sharing > 0 ? std::max(kMinimumSharedWidth, (available - given) / sharing) : 0;
    for (std::size_t at = 0; at < pixels.size(); ++at)
        if (at >= widths.size() || widths[at].kind == ColumnWidth::Share)
            pixels[at] = shared;
    return pixels;
}

} // namespace tickora::runtime::detail
