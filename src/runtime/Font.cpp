#include "runtime/Font.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tickora::runtime {

namespace {

std::optional<QStringList> &FacesForTesting()
{
    static std::optional<QStringList> faces;
    return faces;
}

// The face behind "System" is chosen here rather than left to the desktop.
// The windows were laid out for Arial: its narrow digits put a bold "00" at
// 50 px inside the 62 px hours field, and the headings, captions and dialog
// texts were sized to its widths. A desktop face such as DejaVu Sans is a
// quarter wider, so the large fields would not fit and would all be drawn
// smaller (they shrink together, see Label). Arial itself, then the faces
// drawn on its metrics (Liberation Sans, Arimo), then Helvetica's near twins;
// only on a machine with none of them does the desktop's sans-serif face
// stand in, through the style hint. Naming the stand-ins here, rather than
// trusting fontconfig's aliases, keeps "Arial" the same face on every machine.
const QStringList &LayoutFaces()
{
    static const QStringList faces{
        QStringLiteral("Arial"),     QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
        QStringLiteral("Helvetica"), QStringLiteral("Nimbus Sans"),
    };
    return FacesForTesting() ? *FacesForTesting() : faces;
}

} // namespace

void SetLayoutFacesForTesting(std::optional<QStringList> faces) { FacesForTesting() = std::move(faces); }

QFont FontSettings::ToQFont() const
{
    // Size 0 keeps the platform's default size; only the face is ours.
    QFont font = QGuiApplication::font();
    if (Name == QLatin1String("System") || Name == QLatin1String("Arial"))
        font.setFamilies(LayoutFaces());
    else
        font.setFamilies({Name});
    font.setStyleHint(QFont::SansSerif);
    if (Size > 0.0f)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(Size))));
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    return font;
}

namespace {

template <class Value>
const Value &Expect(std::string_view name, const PropertyValue &value)
{
    if (const auto *typed = std::get_if<Value>(&value))
        return *typed;
    throw TypeMismatchException(
        QStringLiteral("property %1 does not take a %2 value")
            .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                 QString::fromLatin1(KindName(value))));
}

} // namespace

bool ApplyFontProperty(FontSettings &font, std::string_view name, const PropertyValue &value)
{
    if (name == "FontName")
        font.Name = Expect<QString>(name, value);
    else if (name == "FontSize")
        font.Size = Expect<float>(name, value);
    else if (name == "FontUnit")
        Expect<SmallEnum>(name, value); // one unit only: the layout's pixels
    else if (name == "Bold")
        font.Bold = Expect<bool>(name, value);
    else if (name == "Italic")
        font.Italic = Expect<bool>(name, value);
    else if (name == "Underline")
        font.Underline = Expect<bool>(name, value);
    else
        return false;
    return true;
}

} // namespace tickora::runtime
