#pragma once

#include "runtime/widgets/controls/Font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <optional>
#include <string>

namespace tickora::testing {

// Pixel tests whose figures hold for the faces the windows were laid out
// for, or for one named face, say which face they need and are skipped where
// the machine lacks it, rather than failing on a face they were not written
// for. The tools install the faces (fonts-liberation, fonts-dejavu-core), so
// CI runs them.

// Why the test cannot run here, or nothing: the windows' "System" face must be
// one with Arial's metrics.
inline std::optional<std::string> WithoutLayoutFace()
{
    const QString drawn = QFontInfo(runtime::FontSettings{}.ToQFont()).family();
    const QStringList arialMetrics{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
    if (arialMetrics.contains(drawn))
        return std::nullopt;
    return "needs a face with Arial's metrics for the layout (Arial, Liberation Sans or Arimo; Debian: "
           "fonts-liberation); this machine draws it with "
           + drawn.toStdString();
}

// Why the test cannot run here, or nothing: the face must be installed.
inline std::optional<std::string> WithoutFace(const QString &face)
{
    if (QFontDatabase::families().contains(face))
        return std::nullopt;
    return "needs the face " + face.toStdString() + ", which this machine lacks";
}

} // namespace tickora::testing

// Skips the current test, saying why, when the reason is there.
#define TICKORA_SKIP_IF(reason)                                                                                   \
    if (const std::optional<std::string> why = (reason))                                                          \
    GTEST_SKIP() << *why
