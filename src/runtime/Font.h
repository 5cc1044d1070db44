#pragma once

#include "runtime/Properties.h"

#include <QFont>
#include <QString>

#include <string_view>

namespace tickora::runtime {

// The font entries that labels, lists and buttons share. Sizes are pixels of
// the window's coordinates, like every other measure of a layout, so text
// keeps its proportions to the controls on every platform.
struct FontSettings {
    QString Name = QStringLiteral("System");
    float Size = 0.0f;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    // "System" is the platform's user-interface font and size 0 its default
    // size. A family the machine lacks falls back through fontconfig, which
    // maps Arial to a metric-compatible face.
    QFont ToQFont() const;
};

// Applies one font entry of a property list (FontName, FontSize, FontUnit,
// Bold, Italic, Underline); false when the name is none of them.
bool ApplyFontProperty(FontSettings &font, std::string_view name, const PropertyValue &value);

} // namespace tickora::runtime
