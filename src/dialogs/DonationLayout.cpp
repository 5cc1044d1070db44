#include "dialogs/Donation.h"

#include "app/shared/PropertyLists.h"
#include "app/shared/Version.h"

namespace tickora {

using runtime::Color;
using runtime::PropertyList;
using runtime::SmallEnum;
using Int = std::int64_t;

namespace {

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

ControlLists BuildControlLists()
{
    // One hard break after the first sentence; the label wraps the rest.
    const QString freewareNote = QStringLiteral(
        "Dieses Programm ist Freeware.\r"
        "Trotzdem wäre ich über eine kleine Spende dankbar. "
        "Über den Spendenbutton gelangt ihr auf die Seite, wo es die Möglichkeit gibt, "
        "über PayPal eine Spende schnell und unkompliziert zu leisten. "
        "Vielen Dank,  MK");

    ControlLists lists;
    auto addText = [&](const DialogLabelLook &look) { lists.Add(QString::fromLatin1(look.name), DialogLabelList(look)); };
    auto addButton = [&](const ButtonLook &look) { lists.Add(QString::fromLatin1(look.name), ButtonList(look)); };

    addText({.name = "StaticText1", .place = {136, 23, 100, 20}, .tabIndex = 0,
             .text = QStringLiteral("Tickora ") + QString::fromLatin1(kShortVersion), .fontSize = 12.0f, .bold = true});
    addText({.name = "StaticText2", .place = {39, 71, 292, 137}, .tabIndex = 1, .text = freewareNote,
             .fontSize = 12.0f, .multiline = true});
    addButton({"PushButton1", 39, 2, QStringLiteral("Weiter"), false});
    addButton({"PushButton2", 148, 3, QStringLiteral("Spende"), true});
    addButton({"PushButton3", 252, 4, QStringLiteral("Beenden"), false});
    return lists;
}

} // namespace

const PropertyList &Donation::WindowProperties()
{
    static const PropertyList list = WindowList({
        .width = 373,
        .height = 300,
        .type = 2,
        .title = QStringLiteral("Donation"),
        .hasMinimizeButton = true,
        // Where it opens is the platform's choice.
        .defaultLocation = 0,
        .backgroundColor = Color{0x5B, 0xB1, 0xF0},
    });
    return list;
}

const PropertyList &Donation::ControlProperties(const QString &controlName)
{
    static const ControlLists lists = BuildControlLists();
    return lists.Of(controlName);
}

} // namespace tickora
