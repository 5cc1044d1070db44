#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/widgets/controls/Canvas.h"
#include "runtime/widgets/controls/Label.h"
#include "runtime/widgets/controls/Listbox.h"
#include "runtime/widgets/controls/Picture.h"
#include "runtime/widgets/controls/Slider.h"

#include <QAccessible>
#include <QPixmap>

#include <functional>
#include <vector>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Canvas;
using runtime::Label;
using runtime::Ref;
using Role = runtime::Accessible::Role;

// What a screen reader finds of one control through Qt's accessibility, as
// the AT-SPI bridge asks it.
struct Read {
    QAccessible::Role role;
    QString name;
    QString text; // the text interface's, if any
    bool shown;   // AT-SPI's "showing": neither invisible nor off screen
    bool checked;
    QStringList actions;

    bool operator==(const Read &) const = default;
};

void PrintTo(const Read &read, std::ostream *out)
{
    *out << "role 0x" << std::hex << read.role << std::dec << ", name \"" << read.name.toStdString() << "\", text \""
         << read.text.toStdString() << "\", " << (read.shown ? "shown" : "not shown") << ", "
         << (read.checked ? "checked" : "unchecked") << ", actions " << read.actions.join(u',').toStdString();
}

Read ReadOf(QObject *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    if (!face)
        return {};
    const QAccessible::State state = face->state();
    QAccessibleTextInterface *text = face->textInterface();
    QAccessibleActionInterface *actions = face->actionInterface();
    return {face->role(),
            face->text(QAccessible::Name),
            text ? text->text(0, text->characterCount()) : u"-"_s,
            !state.invisible && !state.offscreen,
            bool(state.checked),
            actions ? actions->actionNames() : QStringList()};
}

class Accessibility : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        ASSERT_TRUE(ShowExposed(*window));
    }

    Ref<Canvas> MakeCanvas(runtime::Window &w, const QString &name, int left, Role role)
    {
        auto canvas = AddNamed<Canvas>(w, name, {{"Left", left}, {"Top", 10}, {"Width", 20}, {"Height", 20}});
        canvas->SetBackdrop(off);
        canvas->SetAccessibleRole(role);
        return canvas;
    }

    Ref<runtime::Picture> on = runtime::NewObject<runtime::Picture>(QPixmap(4, 4));
    Ref<runtime::Picture> off = runtime::NewObject<runtime::Picture>(QPixmap(4, 4));
    std::vector<std::int64_t> presses;
    Ref<Canvas> button, toggle, picture, plate;
    Ref<Label> field, caption, colon, link, below;
    Ref<runtime::Slider> slider;
    Ref<runtime::Listbox> list;
    Ref<TestWindow> window = TestWindow::Make([this](TestWindow &w) {
        runtime::SetProperties(w, {{"Width", 300}, {"Height", 100}, {"Title", u"stopwatch"_s}});
        button = MakeCanvas(w, u"button"_s, 10, Role::Button);
        button->Describe.AddHandler([this](Canvas &c) {
            return runtime::Accessible::Description{.Name = c.Backdrop() == on ? u"Stop"_s : u"Start"_s};
        });
        button->MouseDown.AddHandler([this](Canvas &c, std::int64_t x, std::int64_t y) {
            presses.push_back(x * 100 + y);
            c.SetBackdrop(c.Backdrop() == on ? off : on);
            return false;
        });
        toggle = MakeCanvas(w, u"toggle"_s, 40, Role::ToggleButton);
        toggle->SetAccessibleName(u"Info"_s);
        toggle->Describe.AddHandler([this](Canvas &c) { return runtime::Accessible::Description{.Checked = c.Backdrop() == on}; });
        picture = MakeCanvas(w, u"picture"_s, 70, Role::Automatic);
        plate = MakeCanvas(w, u"plate"_s, 100, Role::Text);
        plate->SetAccessibleName(u"Clock"_s);
        plate->Describe.AddHandler([](Canvas &) { return runtime::Accessible::Description{.Text = u"09:05"_s}; });
        field = AddNamed<Label>(w, u"field"_s, {{"Left", 130}, {"Top", 30}, {"Width", 40}, {"Height", 20}, {"Text", u"07"_s}});
        caption = AddNamed<Label>(w, u"caption"_s, {{"Left", 130}, {"Top", 10}, {"Width", 40}, {"Height", 20}, {"Text", u"Sec"_s}});
        field->SetAccessibleLabel(u"caption"_s);
        colon = AddNamed<Label>(w, u"colon"_s, {{"Left", 170}, {"Top", 30}, {"Width", 10}, {"Height", 20}, {"Text", u":"_s}});
        colon->SetAccessibleRole(Role::Decoration);
        link = AddNamed<Label>(w, u"link"_s, {{"Left", 180}, {"Top", 30}, {"Width", 60}, {"Height", 20}, {"Text", u"Website"_s}});
        link->SetAccessibleRole(Role::Link);
        link->MouseDown.AddHandler([this](Label &, std::int64_t x, std::int64_t y) {
            presses.push_back(-(x * 100 + y));
            return true;
        });
        below = AddNamed<Label>(w, u"below"_s, {{"Left", 10}, {"Top", 150}, {"Width", 60}, {"Height", 20}, {"Text", u"LAP"_s}});
        slider = AddNamed<runtime::Slider>(w, u"slider"_s, {{"Left", 10}, {"Top", 60}, {"Width", 100}, {"Height", 20}});
        slider->SetAccessibleName(u"Opacity"_s);
        list = AddNamed<runtime::Listbox>(w, u"list"_s, {{"Left", 150}, {"Top", 60}, {"Width", 100}, {"Height", 30},
                                                          {"ColumnCount", 3}});
        list->SetAccessibleName(u"Laps"_s);
        list->SetHeading(1, u"LAP"_s);
        list->SetHeading(2, u"TIME"_s);
    });
};

// Every kind of control reads as what it is and does: the program's words as
// names, a press where a click does something, on/off where it toggles, the
// text a screen reader reads out, and nothing for what is only drawn or lies
// out of sight.
TEST_F(Accessibility, EachKindOfControlReadsAsItsRoleNameStateAndAction)
{
    const QString press = QAccessibleActionInterface::pressAction();
    struct Case { const char *what; QObject *widget; Read read; };
    const Case cases[] = {
        {"button", button->Widget(), {QAccessible::Button, u"Start"_s, u"-"_s, true, false, {press}}},
        {"toggle", toggle->Widget(), {QAccessible::Button, u"Info"_s, u"-"_s, true, false, {}}},
        {"picture", picture->Widget(), {QAccessible::Graphic, QString(), u"-"_s, true, false, {}}},
        {"text canvas", plate->Widget(), {QAccessible::StaticText, u"Clock"_s, u"09:05"_s, true, false, {}}},
        {"field", field->Widget(), {QAccessible::StaticText, u"Sec"_s, u"07"_s, true, false, {}}},
        {"caption", caption->Widget(), {QAccessible::StaticText, u"Sec"_s, u"Sec"_s, true, false, {}}},
        {"decoration", colon->Widget(), {QAccessible::StaticText, u":"_s, u":"_s, false, false, {}}},
        {"link", link->Widget(), {QAccessible::Link, u"Website"_s, u"Website"_s, true, false, {press}}},
        {"below the window's edge", below->Widget(), {QAccessible::StaticText, u"LAP"_s, u"LAP"_s, false, false, {}}},
        {"window", window->Widget(), {QAccessible::Window, u"stopwatch"_s, u"-"_s, true, false, {}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadOf(c.widget), c.read);
    }
    EXPECT_EQ(ReadOf(slider->Widget()).name, u"Opacity"_s);
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(list->Widget());
    EXPECT_EQ(table->text(QAccessible::Name), u"Laps"_s);
    QStringList headers;
    for (int column = 0; column < 3; ++column)
        headers << table->tableInterface()->columnDescription(column);
    EXPECT_EQ(headers, (QStringList{QString(), u"LAP"_s, u"TIME"_s}));

    // The caption and its field point at each other.
    const auto relations = [](QObject *widget, QAccessible::Relation kind) {
        QList<QObject *> others;
        for (const auto &[other, relation] : QAccessible::queryAccessibleInterface(widget)->relations(kind))
            others << other->object();
        return others;
    };
    EXPECT_EQ(relations(field->Widget(), QAccessible::Label), QList<QObject *>{caption->Widget()});
    EXPECT_EQ(relations(caption->Widget(), QAccessible::Labelled), QList<QObject *>{field->Widget()});
}

// A press through the screen reader runs the click's handler once, at the
// control's centre, and the name and state follow the picture it leaves. A
// hidden control offers no press.
TEST_F(Accessibility, APressRunsTheClickHandlerAndTheNameAndStateFollowThePicture)
{
    PressAsAReader(button->Widget());
    EXPECT_EQ(presses, std::vector<std::int64_t>{10 * 100 + 10});
    EXPECT_EQ(ReadOf(button->Widget()).name, u"Stop"_s);
    PressAsAReader(link->Widget());
    EXPECT_EQ(presses.back(), -(30 * 100 + 10));

    toggle->SetBackdrop(on);
    EXPECT_TRUE(ReadOf(toggle->Widget()).checked);

    button->SetVisible(false);
    presses.clear();
    EXPECT_EQ(ReadOf(button->Widget()).actions, QStringList());
    PressAsAReader(button->Widget());
    EXPECT_TRUE(presses.empty());
}

} // namespace
} // namespace tickora::testing
