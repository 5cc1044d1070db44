#include "runtime/widgets/controls/Font.h"

#include <QGuiApplication>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tickora::runtime {

namespace {

// Never destroyed, like every registry of the runtime (see Process.cpp).
QHash<QString, QStringList> &Faces()
{
    static QHash<QString, QStringList> &faces = *new QHash<QString, QStringList>;
    return faces;
}

} // namespace

void SetFontFaces(const QString &fontName, QStringList faces)
{
    if (faces.isEmpty())
        Faces().remove(fontName);
    else
        Faces().insert(fontName, std::move(faces));
}

QStringList FontFaces(const QString &fontName) { return Faces().value(fontName); }

QFont FontSettings::ToQFont() const
{
    // Size 0 keeps the platform's default size; only the face is ours.
    QFont font = QGuiApplication::font();
    const auto faces = Faces().constFind(Name);
    font.setFamilies(faces != Faces().constEnd() ? *faces : QStringList{Name});
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
