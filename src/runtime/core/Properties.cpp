#include "runtime/core/Properties.h"

#include <QColor>

#include <algorithm>

namespace tickora::runtime {

QColor Color::ToQColor() const { return QColor(Red, Green, Blue); }

Color Color::FromQColor(const QColor &colour)
{
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

Color RGB(int red, int green, int blue, int /*alpha*/)
{
    auto clamp = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    return {clamp(red), clamp(green), clamp(blue)};
}

const char *KindName(const PropertyValue &value)
{
    static constexpr const char *names[] = {"Boolean", "small enumeration", "Integer",
                                            "Single",  "Color",             "String"};
    return names[value.index()];
}

void SetProperties(Object &target, const PropertyList &list)
{
    for (const Property &entry : list)
        target.SetProperty(entry.Name, entry.Value);
}

Object::~Object() = default;

void Object::SetProperty(std::string_view name, const PropertyValue &)
{
    throw KeyNotFoundException(
        QStringLiteral("no property named %1")
            .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))));
}

const PropertyValue *Object::InertProperty(std::string_view name) const
{
    auto it = m_inert.find(name);
    return it == m_inert.end() ? nullptr : &it->second;
}

void Object::SetInertProperty(std::string_view name, const PropertyValue &value)
{
    m_inert.insert_or_assign(std::string(name), value);
}

} // namespace tickora::runtime
