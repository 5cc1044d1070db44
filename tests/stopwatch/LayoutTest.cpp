// The main window as it opens: every control where the user expects it, with
// its text, look and visibility, and the window itself.
#include "MainWindowFixture.h"

#include "app/shared/MainMenuBar.h"

#include <QFontInfo>
#include <QSet>

namespace tickora::testing {
namespace {

using runtime::Canvas;
using runtime::Label;
using runtime::RectControl;

struct Expected {
    const char *name;
    int left, top, width, height;
    const char *text; // labels only; nullptr for other controls
    bool shown;       // on screen at height 374 with the stopwatch face showing
    const char *tooltip = "";
};

// Positions in window coordinates, also for controls embedded in another.
const Expected kControls[] = {
    {"cLight", 115, 24, 13, 13, nullptr, true, "Info"},
    {"cStart", 37, 43, 78, 78, nullptr, true},
    {"cReset", 444, 43, 78, 78, nullptr, true},
    {"sec", 343, 45, 71, 70, "00", true},
    {"labelSekunde", 345, 40, 59, 20, "Sec", true},
    {"min", 247, 45, 64, 70, "00", true},
    {"labelMinute", 256, 40, 48, 20, "Min", true},
    {"stu", 151, 45, 62, 70, "00", true},
    {"labelStunde", 160, 40, 48, 20, "Hour", true},
    {"LabelDoppelpunkt1", 225, 46, 14, 65, ":", true},
    {"LabelDoppelpunkt2", 321, 47, 14, 64, ":", true},
    {"timestring", 477, 160, 100, 20, "00:00:00", false},
    {"Listbox1", 10, 215, 538, 151, nullptr, true},
    {"LabelLap", 31, 174, 63, 29, "LAP", true},
    {"LabelZZ", 135, 174, 78, 29, "TIME", true},
    {"LabelDif", 253, 174, 134, 29, "LAPTIME", true},
    {"zwischenzeit", 20, 142, 100, 20, "00:00:00", false},
    {"Label1", 123, 142, 21, 20, "00", false},
    {"Label2", 146, 142, 21, 20, "00", false},
    {"Label3", 173, 142, 21, 20, "00", false},
    {"LabelDif1", 428, 174, 92, 29, "NOTE", true},
    {"TransparencySlider", 139, 116, 281, 32, nullptr, true},
    {"cQuit", 534, 139, 17, 17, nullptr, true, "Beenden"},
    {"cTop", 10, 139, 17, 17, nullptr, true, "Fenster lösen"},
    {"cTimeBack", 248, 144, 73, 25, nullptr, true},
    {"LabelHour", 256, 144, 22, 20, "00", true},
    {"LabelMin", 283, 144, 27, 20, "00", true},
    {"LabelHour1", 271, 142, 22, 20, ":", true},
};

class MainWindowLayout : public MainWindowFixture {};

TEST_F(MainWindowLayout, EveryControlSitsWhereItBelongsWithItsTextAndTooltip)
{
    for (const Expected &expected : kControls) {
        SCOPED_TRACE(expected.name);
        auto control = window->ControlAs<RectControl>(QString::fromUtf8(expected.name));
        ASSERT_TRUE(control);
        const QRect placed = control->Widget()->geometry();
        EXPECT_EQ(placed, QRect(expected.left, expected.top, expected.width, expected.height));
        EXPECT_EQ(control->IsShown(), expected.shown);
        EXPECT_EQ(control->Widget()->isVisibleTo(window->ContentWidget()), expected.shown);
        EXPECT_EQ(control->Tooltip(), QString::fromUtf8(expected.tooltip));
        if (expected.text) {
            auto label = runtime::ClassTest<Label>(control);
            ASSERT_TRUE(label);
            EXPECT_EQ(label->Text(), QString::fromUtf8(expected.text));
        }
    }
}

TEST_F(MainWindowLayout, ThirtyOneControlsOfTheirClassesAndAccessorsReturnTheSameObject)
{
    QSet<QString> names;
    for (const Expected &expected : kControls)
        names.insert(QString::fromUtf8(expected.name));
    for (const auto &name : {"Timer1", "Timer2", "TimerTime"}) {
        EXPECT_TRUE(window->ControlAs<runtime::Timer>(QString::fromLatin1(name))) << name;
        names.insert(QString::fromLatin1(name));
    }
    EXPECT_EQ(names.size(), 31);
    for (const auto &name : {"cLight", "cStart", "cReset", "cQuit", "cTop", "cTimeBack"})
        EXPECT_TRUE(window->ControlAs<Canvas>(QString::fromLatin1(name))) << name;
    EXPECT_TRUE(window->ControlAs<runtime::Listbox>(QStringLiteral("Listbox1")));
    EXPECT_TRUE(window->ControlAs<runtime::Slider>(QStringLiteral("TransparencySlider")));
    EXPECT_TRUE(window->cStart() == window->cStart());
    EXPECT_TRUE(window->Listbox1() == window->ControlByName(QStringLiteral("Listbox1")));
    EXPECT_THROW(window->ControlAs<Label>(QStringLiteral("cStart")), runtime::IllegalCastException);
}

TEST_F(MainWindowLayout, WindowOpensCollapsedUnderItsTitleOnBlackWithItsBackdropAndMenuBar)
{
    EXPECT_EQ(window->Title(), QStringLiteral("stopwatch"));
    EXPECT_EQ(window->Width(), 556);
    EXPECT_EQ(window->Height(), 164);
    EXPECT_EQ(window->ContentWidget()->size(), QSize(556, 164));
    EXPECT_TRUE(window->Backdrop() == backTrans());
    EXPECT_EQ(window->BackgroundColor(), runtime::RGB(0, 0, 0));
    EXPECT_TRUE(window->MenuBar() == MainMenuBar::Instance());
    // Only the program changes the height: the user cannot resize the window.
    EXPECT_EQ(window->Widget()->minimumSize(), window->Widget()->maximumSize());
    const Qt::WindowFlags flags = window->Widget()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(MainWindowLayout, OpensStoppedAtZeroWithTheClockRunningAndTheFirstPictures)
{
    EXPECT_FALSE(window->Timer1()->Enabled());
    EXPECT_FALSE(window->Timer2()->Enabled());
    EXPECT_TRUE(window->TimerTime()->Enabled());
    EXPECT_EQ(window->TimerTime()->RunMode(), runtime::Timer::ModeMultiple);
    for (auto timer : {window->Timer1(), window->Timer2(), window->TimerTime()})
        EXPECT_EQ(timer->Period(), 1000);
    EXPECT_TRUE(window->cLight()->Backdrop() == button_gelb());
    EXPECT_TRUE(window->cStart()->Backdrop() == start78());
    EXPECT_TRUE(window->cReset()->Backdrop() == reset78());
    EXPECT_TRUE(window->cQuit()->Backdrop() == red13());
    EXPECT_TRUE(window->cTop()->Backdrop() == blau13());
    EXPECT_TRUE(window->cTimeBack()->Backdrop() == timeback1());
    EXPECT_EQ(window->TransparencySlider()->Value(), 90);
    // The slider's starting value was in place before its handler was attached.
    EXPECT_DOUBLE_EQ(window->Opacity(), 1.0);
    EXPECT_EQ(window->Listbox1()->ListCount(), 0);
}

TEST_F(MainWindowLayout, DigitsHeadingsAndClockUseTheirFontsAndColours)
{
    const auto digits = window->sec();
    EXPECT_TRUE(digits->Font().Bold);
    EXPECT_FLOAT_EQ(digits->Font().Size, 50.0f);
    EXPECT_EQ(QFontInfo(digits->Widget()->font()).pixelSize(), 50);
    EXPECT_EQ(digits->TextColor(), runtime::RGB(255, 255, 255));

    const auto heading = window->LabelDif1();
    EXPECT_EQ(heading->Font().Name, QStringLiteral("Arial"));
    EXPECT_EQ(heading->TextColor(), runtime::RGB(0x7F, 0x7F, 0x7F));
    EXPECT_EQ(heading->TextAlignment(), Label::AlignRight);

    EXPECT_EQ(window->Label1()->TextColor(), runtime::RGB(0xFF, 0xCC, 0x00));
    for (const auto &clockLabel : {window->LabelHour(), window->LabelMin(), window->LabelHour1()}) {
        EXPECT_EQ(clockLabel->TextColor(), runtime::RGB(0xAF, 0xB2, 0xB5));
        EXPECT_FALSE(clockLabel->Transparent());
        EXPECT_EQ(clockLabel->InitialParent(), QStringLiteral("cTimeBack"));
    }
    EXPECT_EQ(window->labelStunde()->InitialParent(), QStringLiteral("stu"));
}

TEST_F(MainWindowLayout, ClicksOnPlateHeadingsCaptionsAndFieldsChangeNothing)
{
    window->SetHeight(374);
    for (auto control : std::initializer_list<runtime::Ref<RectControl>>{
             window->cTimeBack(), window->LabelZZ(), window->labelMinute(), window->min()})
        Click(*control);
    EXPECT_EQ(Shown(), QStringLiteral("00:00:00"));
    EXPECT_FALSE(window->Timer1()->Enabled());
    EXPECT_TRUE(window->cStart()->Backdrop() == start78());
    EXPECT_EQ(window->Listbox1()->ListCount(), 0);
    EXPECT_TRUE(quitCodes.empty());
}

TEST_F(MainWindowLayout, OnlyOneWindowIsBuiltAndItIsTheImplicitInstance)
{
    EXPECT_TRUE(main::Instance() == window);
    EXPECT_TRUE(main::Instance() == main::Instance());
    EXPECT_EQ(runtime::OpenWindows().size(), 1u);
    EXPECT_TRUE(window->IsEventImplemented(QStringLiteral("Open")));
    EXPECT_TRUE(window->IsEventImplemented(QStringLiteral("CreateControls")));
    EXPECT_TRUE(window->IsEventImplemented(QStringLiteral("Layout")));
    EXPECT_FALSE(window->IsEventImplemented(QStringLiteral("Paint")));
}

TEST_F(MainWindowLayout, MenuItemAccessorsFindNestedItemsAndFailWithoutAMenuBar)
{
    EXPECT_EQ(window->AppleInfo()->Text(), QStringLiteral("Information"));
    EXPECT_EQ(window->AppleSpende()->Text(), QStringLiteral("Spende"));
    EXPECT_EQ(window->FileQuit()->Shortcut(), QStringLiteral("Cmd+Q"));
    EXPECT_FALSE(window->FileMenu()->Visible());
    EXPECT_FALSE(window->EditMenu()->Visible());
    window->SetMenuBar(nullptr);
    EXPECT_THROW(window->AppleInfo(), runtime::NilObjectException);
    EXPECT_THROW(window->EditMenu(), runtime::NilObjectException);
}

} // namespace
} // namespace tickora::testing
