#pragma once

#include "runtime/core/Properties.h"

#include <QFont>
#include <QString>
#include <QStringList>

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

    // The faces given for the name (SetFontFaces), the first one the machine
    // has; else the family of that name. Size 0 is the platform's default
    // size. A machine with none of them falls back to its sans-serif face.
    QFont ToQFont() const;
};

// The faces that stand behind a font name, in the order they are preferred:
// the program decides which faces its layouts were drawn for, such as what
// "System" means, rather than the desktop. An empty list makes the name mean
// the family of that name again. Only fonts made afterwards take them.
void SetFontFaces(const QString &fontName, QStringList faces);
// The faces behind a name; empty when none were given.
QStringList FontFaces(const QString &fontName);

// Applies one font entry of a property list (FontName, FontSize, FontUnit,
// Bold, Italic, Underline); false when the name is none of them.
bool ApplyFontProperty(FontSettings &font, std::string_view name, const PropertyValue &value);

} // namespace tickora::runtime
