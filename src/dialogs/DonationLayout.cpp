#include "dialogs/Donation.h"

#include "runtime/Exceptions.h"

#include <QHash>

namespace tickora {

using runtime::Color;
using runtime::PropertyList;
using runtime::SmallEnum;
using Int = std::int64_t;

namespace {

// An index outside every indexed set of controls.
constexpr Int kNoIndex = -2147483648LL;

struct Place {
    Int left, top, width, height;
};

struct TextLook {
    const char *name;
    Place place;
    Int tabIndex;
    QString text;
    bool bold;
    bool multiline;
};

// Entries in the alphabetical order of their names.
PropertyList TextList(const TextLook &look)
{
    return {
        {"AllowAutoDeactivate", true},
        {"Bold", look.bold},
        {"DataField", QString()},
        {"DataSource", QString()},
        {"Enabled", true},
        {"FontName", QStringLiteral("System")},
        {"FontSize", 12.0f},
        {"FontUnit", SmallEnum{0}},
        {"Height", look.place.height},
        {"Index", kNoIndex},
        {"InitialParent", QString()},
        {"Italic", false},
        {"Left", look.place.left},
        {"LockBottom", false},
        {"LockLeft", false},
        {"LockRight", false},
        {"LockTop", false},
        {"Multiline", look.multiline},
        {"Name", QString::fromLatin1(look.name)},
        {"Selectable", false},
        {"TabIndex", look.tabIndex},
        {"TabPanelIndex", Int{0}},
        {"TabStop", true},
        {"Text", look.text},
        {"TextAlignment", Int{2}},
        {"TextColor", Color{0x00, 0x00, 0x00}},
        {"Tooltip", QString()},
        {"Top", look.place.top},
        {"Transparent", false},
        {"Underline", false},
        {"Visible", true},
        {"Width", look.place.width},
    };
}

struct ButtonLook {
    const char *name;
    Int left;
    Int tabIndex;
    QString caption;
    bool isDefault;
};

// The three buttons stand on one row at the same height and size.
// Entries in the alphabetical order of their names.
PropertyList ButtonList(const ButtonLook &look)
{
    return {
        {"AllowAutoDeactivate", true},
        {"Bold", false},
        {"Cancel", false},
        {"Caption", look.caption},
        {"Default", look.isDefault},
        {"Enabled", true},
        {"FontName", QStringLiteral("System")},
        {"FontSize", 10.0f},
        {"FontUnit", SmallEnum{0}},
        {"Height", Int{20}},
        {"Index", kNoIndex},
        {"InitialParent", QString()},
        {"Italic", false},
        {"Left", look.left},
        {"LockBottom", false},
        {"LockLeft", false},
        {"LockRight", false},
        {"LockTop", false},
        {"MacButtonStyle", Int{0}},
        {"Name", QString::fromLatin1(look.name)},
        {"TabIndex", look.tabIndex},
        {"TabPanelIndex", Int{0}},
        {"TabStop", true},
        {"Tooltip", QString()},
        {"Top", Int{249}},
        {"Transparent", true},
        {"Underline", false},
        {"Visible", true},
        {"Width", Int{80}},
    };
}

QHash<QString, PropertyList> BuildControlLists()
{
    // One hard break after the first sentence; the label wraps the rest.
    const QString freewareNote = QStringLiteral(
        "Dieses Programm ist Freeware.\r"
        "Trotzdem wäre ich über eine kleine Spende dankbar. "
        "Über den Spendenbutton gelangt ihr auf die Seite, wo es die Möglichkeit gibt, "
        "über PayPal eine Spende schnell und unkompliziert zu leisten. "
        "Vielen Dank,  MK");

    QHash<QString, PropertyList> lists;
    auto addText = [&](const TextLook &look) { lists.insert(QString::fromLatin1(look.name), TextList(look)); };
    auto addButton = [&](const ButtonLook &look) { lists.insert(QString::fromLatin1(look.name), ButtonList(look)); };

    addText({"StaticText1", {136, 23, 100, 20}, 0, QStringLiteral("Tickora 2.0"), true, false});
    addText({"StaticText2", {39, 71, 292, 137}, 1, freewareNote, false, true});
    addButton({"PushButton1", 39, 2, QStringLiteral("Weiter"), false});
    addButton({"PushButton2", 148, 3, QStringLiteral("Spende"), true});
    addButton({"PushButton3", 252, 4, QStringLiteral("Beenden"), false});
    return lists;
}

} // namespace

const PropertyList &Donation::WindowProperties()
{
    static const PropertyList list{
        {"Width", Int{373}},
        {"Height", Int{300}},
        {"MinimumWidth", Int{64}},
        {"MinimumHeight", Int{64}},
        {"MaximumWidth", Int{32000}},
        {"MaximumHeight", Int{32000}},
        {"Type", Int{2}},
        {"Title", QStringLiteral("Donation")},
        {"HasCloseButton", true},
        {"HasMaximizeButton", false},
        {"HasMinimizeButton", true},
        {"HasFullScreenButton", false},
        {"Resizeable", false},
        {"Composite", false},
        {"MacProcID", Int{0}},
        {"FullScreen", false},
        // Where it opens is the platform's choice.
        {"DefaultLocation", Int{0}},
        {"Visible", true},
        {"HasBackgroundColor", true},
        {"BackgroundColor", Color{0x5B, 0xB1, 0xF0}},
        {"MenuBarVisible", true},
        {"LiveResize", false},
    };
    return list;
}

const PropertyList &Donation::ControlProperties(const QString &controlName)
{
    static const QHash<QString, PropertyList> lists = BuildControlLists();
    auto it = lists.constFind(controlName);
    if (it == lists.constEnd())
        throw runtime::KeyNotFoundException(QStringLiteral("no layout for control %1").arg(controlName));
    return *it;
}

} // namespace tickora
