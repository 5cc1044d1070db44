#pragma once

#include "runtime/Properties.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>
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

    // "System" and "Arial" are the face the layouts were drawn for: Arial or
    // a face with its metrics (see Font.cpp). Size 0 is the platform's default
    // size. Any other family the machine lacks falls back to its sans-serif.
    QFont ToQFont() const;
};

// Tests put other faces behind "System" and "Arial", such as a wider one
// than the layouts were drawn for, whatever faces the machine has; nullopt
// restores the program's own. Only fonts made afterwards take them.
void SetLayoutFacesForTesting(std::optional<QStringList> faces);

// Applies one font entry of a property list (FontName, FontSize, FontUnit,
// Bold, Italic, Underline); false when the name is none of them.
bool ApplyFontProperty(FontSettings &font, std::string_view name, const PropertyValue &value);

} // namespace tickora::runtime
