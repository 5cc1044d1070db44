#pragma once

#include "runtime/core/Exceptions.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class QColor;

namespace tickora::runtime {

// An opaque colour of 8-bit red, green and blue.
struct Color {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    friend bool operator==(const Color &, const Color &) = default;
    QColor ToQColor() const;
    static Color FromQColor(const QColor &colour);
};

// Colour from its components. The alpha argument is the runtime's
// transparency, where 0 is opaque; nothing here draws translucent colours.
Color RGB(int red, int green, int blue, int alpha = 0);

// The small enumeration kind of property values (0 to 255).
struct SmallEnum {
    std::uint8_t Value = 0;
    friend bool operator==(const SmallEnum &, const SmallEnum &) = default;
};

// One typed value of a property list. The alternative held is the kind of the
// property; applying a value of another kind is a programming error.
using PropertyValue = std::variant<bool, SmallEnum, std::int64_t, float, Color, QString>;

const char *KindName(const PropertyValue &value);

struct Property {
    std::string_view Name;
    PropertyValue Value;
};

// The look of a window or control: named, typed entries applied in order.
using PropertyList = std::vector<Property>;

class Object;

// Applies every entry of the list, in list order, each exactly like an
// assignment of that property. An unknown name raises KeyNotFoundException and
// a value of the wrong kind TypeMismatchException, so a typo in a list fails at
// once instead of leaving a control half laid out.
void SetProperties(Object &target, const PropertyList &list);

// Base of every runtime object. Classes answer SetProperty for their own
// properties and hand every other name to their base class.
class Object {
public:
    Object() = default;
    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;
    virtual ~Object();

    virtual void SetProperty(std::string_view name, const PropertyValue &value);

    // Properties that the runtime accepts and keeps but that have no effect on
    // this platform (data binding, focus-ring looks, macOS window kinds ...).
    const PropertyValue *InertProperty(std::string_view name) const;

protected:
    void SetInertProperty(std::string_view name, const PropertyValue &value);

private:
    std::map<std::string, PropertyValue, std::less<>> m_inert;

    template <class T>
    friend class PropertyTable;
};

// The property names of one class, each bound to its setter or kept as an
// inert value of a fixed kind.
template <class T>
class PropertyTable {
public:
    struct Entry {
        std::string_view Name;
        std::size_t Kind;
        std::function<void(T &, const PropertyValue &)> Apply;
    };

    template <class Arg>
    static Entry Setter(std::string_view name, void (T::*setter)(Arg))
    {
        using Value = std::remove_cvref_t<Arg>;
        return {name, IndexOf<Value>(), [setter](T &object, const PropertyValue &value) {
                    (object.*setter)(std::get<Value>(value));
                }};
    }

    template <class Value>
    static Entry Inert(std::string_view name)
    {
        return {name, IndexOf<Value>(), [name](T &object, const PropertyValue &value) {
                    static_cast<Object &>(object).SetInertProperty(name, value);
                }};
    }

    PropertyTable(std::initializer_list<Entry> entries) : m_entries(entries) {}

    // False when the name is not one of this class's own properties.
    bool Apply(T &object, std::string_view name, const PropertyValue &value) const
    {
        for (const Entry &entry : m_entries) {
            if (entry.Name != name)
                continue;
            if (value.index() != entry.Kind)
                throw TypeMismatchException(
                    QStringLiteral("property %1 does not take a %2 value")
                        .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                             QString::fromLatin1(KindName(value))));
            entry.Apply(object, value);
            return true;
        }
        return false;
    }

private:
    template <class Value, std::size_t I = 0>
    static constexpr std::size_t IndexOf()
    {
        if constexpr (I == std::variant_size_v<PropertyValue>)
            static_assert(I != std::variant_size_v<PropertyValue>, "not a property kind");
        else if constexpr (std::is_same_v<Value, std::variant_alternative_t<I, PropertyValue>>)
            return I;
        else
            return IndexOf<Value, I + 1>();
    }

    std::vector<Entry> m_entries;
};

} // namespace tickora::runtime
