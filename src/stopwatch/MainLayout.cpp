#include "stopwatch/MainLayout.h"

#include "app/shared/PropertyLists.h"

namespace tickora {

using runtime::Color;
using runtime::PropertyList;
using runtime::SmallEnum;
using Int = std::int64_t;

const PropertyList &MainWindowProperties()
{
    static const PropertyList list = WindowList({
        .width = kWindowWidth,
        .height = kCollapsedHeight,
        .minimumWidth = kWindowWidth,
        .minimumHeight = kCollapsedHeight,
        .maximumWidth = kWindowWidth,
        .maximumHeight = kExpandedHeight,
        .title = QStringLiteral("stopwatch"),
        // The application places the window itself when it opens.
        .defaultLocation = 0,
        .backgroundColor = Color{0x00, 0x00, 0x00},
        .liveResize = true,
    });
    return list;
}

namespace {

// The entries every visible control's list begins with, in their order.
void AppendPlacement(PropertyList &list, const char *name, Place place, Int tabIndex)
{
    list.insert(list.end(), {
        {"Name", QString::fromLatin1(name)},
        {"Index", kNoIndex},
        {"Left", place.left},
        {"Top", place.top},
        {"Width", place.width},
        {"Height", place.height},
        // Locked to the left and top edges: nothing moves when the height changes.
        {"LockLeft", true},
        {"LockTop", true},
        {"LockRight", false},
        {"LockBottom", false},
        {"TabIndex", tabIndex},
        {"TabPanelIndex", Int{0}},
        {"TabStop", true},
    });
}

struct CanvasLook {
    const char *name;
    Place place;
    Int tabIndex;
    QString tooltip = {};
    bool hasDoubleBufferEntry = true;
};

PropertyList CanvasList(const CanvasLook &look)
{
    PropertyList list;
    AppendPlacement(list, look.name, look.place, look.tabIndex);
    list.insert(list.end(), {
        {"AllowAutoDeactivate", true},
        {"Enabled", true},
        {"Tooltip", look.tooltip},
        {"AllowFocusRing", true},
        {"Visible", true},
        {"AllowFocus", false},
        {"AllowTabs", false},
        {"Transparent", true},
    });
    if (look.hasDoubleBufferEntry)
        list.push_back({"DoubleBuffer", false});
    list.push_back({"InitialParent", QString()});
    return list;
}

struct LabelLook {
    const char *name;
    Place place;
    Int tabIndex;
    QString text;
    Color textColor = {0xFF, 0xFF, 0xFF};
    Int alignment = 0;
    QString fontName = QStringLiteral("System");
    float fontSize = 0.0f;
    bool bold = false;
    bool visible = true;
    bool transparent = true;
    QString initialParent = {};
};

PropertyList LabelList(const LabelLook &look)
{
    PropertyList list;
    AppendPlacement(list, look.name, look.place, look.tabIndex);
    list.insert(list.end(), {
        {"AllowAutoDeactivate", true},
        {"Enabled", true},
        {"Tooltip", QString()},
        {"Multiline", false},
        {"Selectable", false},
        {"TextAlignment", look.alignment},
        {"TextColor", look.textColor},
        {"Transparent", look.transparent},
        {"Text", look.text},
        {"Visible", look.visible},
        {"Bold", look.bold},
        {"Italic", false},
        {"FontName", look.fontName},
        {"Underline", false},
        {"FontSize", look.fontSize},
        {"FontUnit", SmallEnum{0}},
        {"DataSource", QString()},
        {"DataField", QString()},
        {"InitialParent", look.initialParent},
    });
    return list;
}

// The large digit fields and colons: bold system font, 50 px, white.
LabelLook Digits(const char *name, Place place, Int tabIndex, const char *text)
{
    return {.name = name, .place = place, .tabIndex = tabIndex, .text = QString::fromLatin1(text),
            .fontSize = 50.0f, .bold = true};
}

// The captions over the digit fields, embedded in their field.
LabelLook Caption(const char *name, Place place, const char *text, const char *field)
{
    return {.name = name, .place = place, .tabIndex = 0, .text = QString::fromLatin1(text),
            .alignment = 2, .initialParent = QString::fromLatin1(field)};
}

// The headings over the lap list: bold Arial 30 px, grey.
LabelLook Heading(const char *name, Place place, Int tabIndex, const char *text, Int alignment = 0)
{
    return {.name = name, .place = place, .tabIndex = tabIndex, .text = QString::fromLatin1(text),
            .textColor = {0x7F, 0x7F, 0x7F}, .alignment = alignment,
            .fontName = QStringLiteral("Arial"), .fontSize = 30.0f, .bold = true};
}

// The labels the counting engine keeps its state in, never shown.
LabelLook Hidden(const char *name, Place place, Int tabIndex, const char *text,
                 Color colour = {0xFF, 0xFF, 0xFF})
{
    return {.name = name, .place = place, .tabIndex = tabIndex, .text = QString::fromLatin1(text),
            .textColor = colour, .visible = false};
}

// The wall clock's labels, painted opaque on the clock plate they are embedded in.
LabelLook ClockLabel(const char *name, Place place, Int tabIndex, const char *text)
{
    return {.name = name, .place = place, .tabIndex = tabIndex, .text = QString::fromLatin1(text),
            .textColor = {0xAF, 0xB2, 0xB5}, .alignment = 2, .transparent = false,
            .initialParent = QStringLiteral("cTimeBack")};
}

PropertyList LapListList()
{
    PropertyList list;
    AppendPlacement(list, "Listbox1", {10, 215, 538, 151}, 12);
    list.insert(list.end(), {
        {"_ScrollOffset", Int{0}},
        {"_ScrollWidth", Int{-1}},
        {"AllowAutoDeactivate", true},
        {"HasBorder", true},
        {"ColumnCount", Int{5}},
        {"ColumnWidths", QStringLiteral("20,100,140,140,140")},
        {"DefaultRowHeight", Int{30}},
        {"Enabled", true},
        {"GridLinesHorizontalStyle", Int{3}},
        {"GridLinesVerticalStyle", Int{0}},
        // The list's headings are the four labels above it.
        {"HasHeader", false},
        {"HeadingIndex", Int{-1}},
        {"Tooltip", QString()},
        {"InitialValue", QString()},
        {"HasHorizontalScrollbar", false},
        {"HasVerticalScrollbar", true},
        {"DropIndicatorVisible", false},
        {"Transparent", true},
        {"AllowFocusRing", true},
        {"Visible", true},
        {"Bold", true},
        {"Italic", false},
        {"FontName", QStringLiteral("Arial")},
        {"FontSize", 20.0f},
        {"FontUnit", SmallEnum{0}},
        {"Underline", false},
        {"AllowAutoHideScrollbars", true},
        {"AllowResizableColumns", false},
        {"AllowRowDragging", false},
        {"AllowRowReordering", false},
        {"AllowExpandableRows", false},
        {"RequiresSelection", false},
        {"RowSelectionType", Int{0}},
        {"DataSource", QString()},
        {"DataField", QString()},
        {"InitialParent", QString()},
    });
    return list;
}

PropertyList OpacitySliderList()
{
    PropertyList list;
    AppendPlacement(list, "TransparencySlider", {139, 116, 281, 32}, 21);
    list.insert(list.end(), {
        {"AllowAutoDeactivate", true},
        {"Enabled", true},
        {"Tooltip", QString()},
        {"Transparent", true},
        {"Visible", true},
        {"Value", Int{90}},
        {"MinimumValue", Int{0}},
        {"MaximumValue", Int{100}},
        {"LineStep", Int{1}},
        // Report every value while the thumb is dragged, so the opacity follows it.
        {"AllowLiveScrolling", true},
        {"PageStep", Int{20}},
        {"TickMarkStyle", Int{2}},
        {"InitialParent", QString()},
    });
    return list;
}

ControlLists BuildControlLists()
{
    const Color lapCounterColour{0xFF, 0xCC, 0x00};
    const PropertyList timerList{
        {"RunMode", Int{2}},
        {"Period", Int{1000}},
        {"Enabled", true},
    };
    ControlLists lists;
    auto addLabel = [&](const LabelLook &look) { lists.Add(QString::fromLatin1(look.name), LabelList(look)); };
    auto addCanvas = [&](const CanvasLook &look) { lists.Add(QString::fromLatin1(look.name), CanvasList(look)); };

    addCanvas({"cLight", {115, 24, 13, 13}, 0, QStringLiteral("Info")});
    addCanvas({"cStart", {37, 43, 78, 78}, 1});
    addCanvas({"cReset", {444, 43, 78, 78}, 2});
    addLabel(Digits("sec", {343, 45, 71, 70}, 3, "00"));
    addLabel(Caption("labelSekunde", {345, 40, 59, 20}, "Sec", "sec"));
    addLabel(Digits("min", {247, 45, 64, 70}, 4, "00"));
    addLabel(Caption("labelMinute", {256, 40, 48, 20}, "Min", "min"));
    addLabel(Digits("stu", {151, 45, 62, 70}, 5, "00"));
    addLabel(Caption("labelStunde", {160, 40, 48, 20}, "Hour", "stu"));
    addLabel(Digits("LabelDoppelpunkt1", {225, 46, 14, 65}, 6, ":"));
    addLabel(Digits("LabelDoppelpunkt2", {321, 47, 14, 64}, 7, ":"));
    lists.Add(QStringLiteral("Timer1"), timerList);
    addLabel(Hidden("timestring", {477, 160, 100, 20}, 11, "timestring"));
    lists.Add(QStringLiteral("Listbox1"), LapListList());
    addLabel(Heading("LabelLap", {31, 174, 63, 29}, 13, "LAP"));
    addLabel(Heading("LabelZZ", {135, 174, 78, 29}, 14, "TIME"));
    addLabel(Heading("LabelDif", {253, 174, 134, 29}, 15, "LAPTIME"));
    addLabel(Hidden("zwischenzeit", {20, 142, 100, 20}, 16, "00:00:00"));
    lists.Add(QStringLiteral("Timer2"), timerList);
    addLabel(Hidden("Label1", {123, 142, 21, 20}, 17, "00", lapCounterColour));
    addLabel(Hidden("Label2", {146, 142, 21, 20}, 18, "00", lapCounterColour));
    addLabel(Hidden("Label3", {173, 142, 21, 20}, 19, "00", lapCounterColour));
    addLabel(Heading("LabelDif1", {428, 174, 92, 29}, 20, "NOTE", 3));
    lists.Add(QStringLiteral("TransparencySlider"), OpacitySliderList());
    addCanvas({"cQuit", {534, 139, 17, 17}, 22, QStringLiteral("Beenden")});
    addCanvas({"cTop", {10, 139, 17, 17}, 23, QStringLiteral("Fenster lösen")});
    lists.Add(QStringLiteral("TimerTime"), timerList);
    addCanvas({"cTimeBack", {248, 144, 73, 25}, 27, {}, false});
    addLabel(ClockLabel("LabelHour", {256, 144, 22, 20}, 0, "00"));
    addLabel(ClockLabel("LabelMin", {283, 144, 27, 20}, 1, "00"));
    addLabel(ClockLabel("LabelHour1", {271, 142, 22, 20}, 2, ":"));
    return lists;
}

} // namespace

const PropertyList &MainControlProperties(const QString &controlName)
{
    static const ControlLists lists = BuildControlLists();
    return lists.Of(controlName);
}

} // namespace tickora
