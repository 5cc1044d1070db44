#include "dialogs/AboutWindow.h"

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

struct LabelLook {
    const char *name;
    Place place;
    float fontSize;
    bool bold;
    bool multiline;
    Color textColor;
    bool allowAutoDeactivate;
    Int tabIndex;
    QString text;
};

// Every label is centred in its frame. Entries in the alphabetical order of their names.
PropertyList LabelList(const LabelLook &look)
{
    return {
        {"AllowAutoDeactivate", look.allowAutoDeactivate},
        {"Bold", look.bold},
        {"DataField", QString()},
        {"DataSource", QString()},
        {"Enabled", true},
        {"FontName", QStringLiteral("System")},
        {"FontSize", look.fontSize},
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
        {"TextColor", look.textColor},
        {"Tooltip", QString()},
        {"Top", look.place.top},
        {"Transparent", false},
        {"Underline", false},
        {"Visible", true},
        {"Width", look.place.width},
    };
}

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
    static const PropertyList list{
        {"Width", Int{288}},
        {"Height", Int{289}},
        {"MinimumWidth", Int{64}},
        {"MinimumHeight", Int{64}},
        {"MaximumWidth", Int{32000}},
        {"MaximumHeight", Int{32000}},
        {"Type", Int{1}},
        // A title bar with nothing to say: the window names the program itself.
        {"Title", QStringLiteral(" ")},
        {"HasCloseButton", false},
        {"HasMaximizeButton", false},
        {"HasMinimizeButton", false},
        {"HasFullScreenButton", false},
        {"Resizeable", false},
        {"Composite", true},
        {"MacProcID", Int{0}},
        {"FullScreen", false},
        // Centred on the main screen.
        {"DefaultLocation", Int{2}},
        {"Visible", true},
        {"HasBackgroundColor", true},
        {"BackgroundColor", Color{0x00, 0x3E, 0x65}},
        {"MenuBarVisible", false},
        {"LiveResize", false},
    };
    return list;
}

const PropertyList &AboutWindow::ControlProperties(const QString &controlName)
{
    static const QHash<QString, PropertyList> lists = [] {
        // SetupWindow fills in the texts named k...; the link and the credit
        // line keep theirs.
        const LabelLook labels[] = {
            {"StatAppName", {1, 17, 283, 16}, 14.0f, true, false, kWhite, false, 0, QStringLiteral("kAppName")},
            {"StatAppVersion", {1, 43, 283, 12}, 10.0f, false, false, kWhite, false, 1,
             QStringLiteral("kAppVersion")},
            {"StatAppCopyright", {1, 227, 283, 34}, 9.0f, false, true, kWhite, false, 2,
             QStringLiteral("kAppCopyright")},
            {"WebAdresse", {0, 193, 283, 20}, 10.0f, false, false, kLinkAmber, true, 3,
             QStringLiteral("Velmoran Software Website")},
            {"StaticText2", {1, 260, 284, 20}, 9.0f, true, false, Color{0x01, 0x66, 0x19}, true, 4,
             QStringLiteral("Built with C++ and Qt 6")},
            {"StatAppContent", {16, 165, 255, 29}, 9.0f, false, true, kWhite, true, 7,
             QStringLiteral("kAppContent")},
        };
        QHash<QString, PropertyList> made;
        for (const LabelLook &look : labels)
            made.insert(QString::fromLatin1(look.name), LabelList(look));
        made.insert(QStringLiteral("Canvas1"), IconList());
        return made;
    }();
    auto it = lists.constFind(controlName);
    if (it == lists.constEnd())
        throw runtime::KeyNotFoundException(QStringLiteral("no layout for control %1").arg(controlName));
    return *it;
}

} // namespace tickora
