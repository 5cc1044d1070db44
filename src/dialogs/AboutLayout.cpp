#include "dialogs/AboutWindow.h"

#include "app/shared/PropertyLists.h"

namespace tickora {

using runtime::Color;
using runtime::PropertyList;
using runtime::SmallEnum;
using Int = std::int64_t;

namespace {

// The icon's frame; its picture is set before this list. Entries in the
// alphabetical order of their names.
PropertyList IconList()
{
    return {
        {"AllowAutoDeactivate", true},
        {"AllowFocus", false},
        {"AllowFocusRing", true},
        {"AllowTabs", false},
        {"DoubleBuffer", false},
        {"Enabled", true},
        {"Height", Int{86}},
        {"Index", kNoIndex},
        {"InitialParent", QString()},
        {"Left", Int{103}},
        {"LockBottom", false},
        {"LockLeft", false},
        {"LockRight", false},
        {"LockTop", false},
        {"Name", QStringLiteral("Canvas1")},
        {"TabIndex", Int{5}},
        {"TabPanelIndex", Int{0}},
        {"TabStop", true},
        {"Tooltip", QString()},
        {"Top", Int{67}},
        {"Transparent", true},
        {"Visible", true},
        {"Width", Int{82}},
    };
}

} // namespace

const PropertyList &AboutWindow::WindowProperties()
{
    static const PropertyList list = WindowList({
        .width = 288,
        .height = 289,
        // A title bar with nothing to say: the window names the program itself.
        .title = QStringLiteral(" "),
        .hasCloseButton = false,
        .composite = true,
        // Centred on the main screen.
        .defaultLocation = 2,
        .backgroundColor = Color{0x00, 0x3E, 0x65},
        .menuBarVisible = false,
    });
    return list;
}

const PropertyList &AboutWindow::ControlProperties(const QString &controlName)
{
    static const ControlLists lists = [] {
        // SetupWindow fills in the texts named k...; the link and the credit
        // line keep theirs.
        const DialogLabelLook labels[] = {
            {.name = "StatAppName", .place = {1, 17, 283, 16}, .tabIndex = 0, .text = QStringLiteral("kAppName"),
             .fontSize = 14.0f, .bold = true, .textColor = kWhite, .allowAutoDeactivate = false},
            {.name = "StatAppVersion", .place = {1, 43, 283, 12}, .tabIndex = 1,
             .text = QStringLiteral("kAppVersion"), .fontSize = 10.0f, .textColor = kWhite,
             .allowAutoDeactivate = false},
            {.name = "StatAppCopyright", .place = {1, 227, 283, 34}, .tabIndex = 2,
             .text = QStringLiteral("kAppCopyright"), .fontSize = 9.0f, .multiline = true, .textColor = kWhite,
             .allowAutoDeactivate = false},
            {.name = "WebAdresse", .place = {0, 193, 283, 20}, .tabIndex = 3,
             .text = QStringLiteral("Velmoran Software Website"), .fontSize = 10.0f, .textColor = kLinkAmber},
            {.name = "StaticText2", .place = {1, 260, 284, 20}, .tabIndex = 4,
             .text = QStringLiteral("Built with C++ and Qt 6"), .fontSize = 9.0f, .bold = true,
             .textColor = Color{0x01, 0x66, 0x19}},
            {.name = "StatAppContent", .place = {16, 165, 255, 29}, .tabIndex = 7,
             .text = QStringLiteral("kAppContent"), .fontSize = 9.0f, .multiline = true, .textColor = kWhite},
        };
        ControlLists made;
        for (const DialogLabelLook &look : labels)
            made.Add(QString::fromLatin1(look.name), DialogLabelList(look));
        made.Add(QStringLiteral("Canvas1"), IconList());
        return made;
    }();
    return lists.Of(controlName);
}

} // namespace tickora
