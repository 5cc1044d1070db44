#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/Canvas.h"
#include "runtime/Label.h"
#include "runtime/Picture.h"

#include <QPixmap>
#include <QWidget>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Canvas;
using runtime::Label;
using runtime::Ref;

QPoint At(std::int64_t x, std::int64_t y) { return {static_cast<int>(x), static_cast<int>(y)}; }

// A shown window that records its clicks, with one control of class T at
// (40, 30), 50 x 50.
template <class T>
class ShownControl : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = TestWindow::Make([this](TestWindow &w) {
            runtime::SetProperties(w, {{"Width", 200}, {"Height", 150}});
            control = AddNamed<T>(w, u"control"_s, {{"Left", 40}, {"Top", 30}, {"Width", 50}, {"Height", 50}});
        });
        window->onMouseDown = [this](std::int64_t x, std::int64_t y) {
            windowDowns.push_back(At(x, y));
            return true;
        };
        ASSERT_TRUE(ShowExposed(*window));
    }

    Ref<TestWindow> window;
    Ref<T> control;
    std::vector<QPoint> windowDowns;
};

class CanvasInput : public ShownControl<Canvas> {
protected:
    void SetUp() override
    {
        ShownControl::SetUp();
        control->MouseDown.AddHandler([this](Canvas &, std::int64_t x, std::int64_t y) {
            downs.push_back(At(x, y));
            return true;
        });
        control->MouseMove.AddHandler([this](Canvas &, std::int64_t x, std::int64_t y) { moves.push_back(At(x, y)); });
        control->MouseExit.AddHandler([this](Canvas &) { ++exits; });
    }

    std::vector<QPoint> downs;
    std::vector<QPoint> moves;
    int exits = 0;
};

TEST_F(CanvasInput, ClickReachesMouseDownInCanvasCoordinates)
{
    ClickInWindow(*window, QPoint(45, 37));
    EXPECT_EQ(downs, std::vector<QPoint>{QPoint(5, 7)});
    EXPECT_TRUE(windowDowns.empty());
}

TEST_F(CanvasInput, HiddenCanvasGetsNoClicks)
{
    control->SetVisible(false);
    ClickInWindow(*window, QPoint(45, 37));
    EXPECT_TRUE(downs.empty());
    EXPECT_EQ(windowDowns, std::vector<QPoint>{QPoint(45, 37)});
}

TEST_F(CanvasInput, PointerMovesWithoutButtonReachMouseMove)
{
    MoveInWindow(*window, QPoint(41, 31));
    MoveInWindow(*window, QPoint(60, 50));
    EXPECT_EQ(moves, (std::vector<QPoint>{QPoint(1, 1), QPoint(20, 20)}));
}

TEST_F(CanvasInput, MovesWithAButtonHeldRaiseNoMouseMove)
{
    SendMove(control->Widget(), QPoint(3, 4), Qt::LeftButton);
    SendMove(control->Widget(), QPoint(6, 8), Qt::RightButton);
    EXPECT_TRUE(moves.empty());
    SendMove(control->Widget(), QPoint(6, 8), Qt::NoButton);
    EXPECT_EQ(moves, std::vector<QPoint>{QPoint(6, 8)});
}

TEST_F(CanvasInput, LeavingRaisesMouseExit)
{
    SendEnter(control->Widget(), QPoint(2, 2));
    EXPECT_EQ(exits, 0);
    SendLeave(control->Widget());
    EXPECT_EQ(exits, 1);
}

// The program tells a lamp's states apart by which picture it shows, not by how it looks.
TEST_F(CanvasInput, BackdropReadsBackTheVeryPictureObjectSet)
{
    EXPECT_TRUE(control->Backdrop().IsNil());
    QPixmap pixels(8, 8);
    pixels.fill(Qt::red);
    auto lit = runtime::NewObject<runtime::Picture>(pixels);
    auto sameLooking = runtime::NewObject<runtime::Picture>(pixels);

    control->SetBackdrop(lit);
    EXPECT_TRUE(control->Backdrop() == lit);
    control->SetBackdrop(sameLooking);
    EXPECT_TRUE(control->Backdrop() == sameLooking);
    control->SetBackdrop(nullptr);
    EXPECT_TRUE(control->Backdrop().IsNil());
}

using LabelInput = ShownControl<Label>;

TEST_F(LabelInput, ClickWithoutHandlerReachesTheWindow)
{
    ClickInWindow(*window, QPoint(45, 37));
    EXPECT_EQ(windowDowns, std::vector<QPoint>{QPoint(45, 37)});
}

TEST_F(LabelInput, LabelWithMouseDownConsumesTheClick)
{
    std::vector<QPoint> labelDowns;
    control->MouseDown.AddHandler([&](Label &, std::int64_t x, std::int64_t y) {
        labelDowns.push_back(At(x, y));
        return true;
    });
    ClickInWindow(*window, QPoint(45, 37));
    EXPECT_EQ(labelDowns, std::vector<QPoint>{QPoint(5, 7)});
    EXPECT_TRUE(windowDowns.empty());
}

TEST_F(LabelInput, PointerEnteringAndLeavingRaisesEnterAndExit)
{
    QStringList log;
    control->MouseEnter.AddHandler([&](Label &) { log << u"enter"_s; });
    control->MouseExit.AddHandler([&](Label &) { log << u"exit"_s; });
    SendEnter(control->Widget(), QPoint(4, 4));
    SendLeave(control->Widget());
    EXPECT_EQ(log, (QStringList{u"enter"_s, u"exit"_s}));
}

struct DisplayCase {
    const char *name;
    QString text;
    bool multiline;
    QString displayed;
};

void PrintTo(const DisplayCase &c, std::ostream *os) { *os << c.name; }

class LabelDisplay : public LabelInput, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(LabelDisplay, ReadsBackExactlyAndDisplaysLineBreaksByKind)
{
    const DisplayCase &c = GetParam();
    runtime::SetProperties(*control, {{"Multiline", c.multiline}, {"Text", c.text}});
    EXPECT_EQ(control->Text(), c.text);
    EXPECT_EQ(control->DisplayedText(), c.displayed);
}

INSTANTIATE_TEST_SUITE_P(Texts, LabelDisplay,
                         ::testing::Values(DisplayCase{"MultiCR", u"a\rb"_s, true, u"a\nb"_s},
                                           DisplayCase{"MultiCRLF", u"a\r\nb"_s, true, u"a\nb"_s},
                                           DisplayCase{"MultiTrailingCR", u"lap\r"_s, true, u"lap\n"_s},
                                           DisplayCase{"SingleTrailingCR", u"00:12\r"_s, false, u"00:12"_s},
                                           DisplayCase{"SingleTrailingBreaks", u"7\r\n\r"_s, false, u"7"_s},
                                           DisplayCase{"SinglePlain", u"12:34:56"_s, false, u"12:34:56"_s},
                                           DisplayCase{"SingleOwnTrailingSpace", u"12 "_s, false, u"12 "_s}));

TEST_F(LabelInput, SingleLineShowsABreakInsideTheTextOnOneLine)
{
    control->SetText(u"first\rsecond"_s);
    const QString shown = control->DisplayedText();
    EXPECT_FALSE(shown.contains(u'\n') || shown.contains(u'\r'));
    EXPECT_TRUE(shown.startsWith(u"first"_s) && shown.endsWith(u"second"_s));
}

struct EmbeddedCase {
    bool containerVisible, childVisible;
};

void PrintTo(const EmbeddedCase &c, std::ostream *os)
{
    *os << "container " << c.containerVisible << ", child " << c.childVisible;
}

// A container canvas at (20, 10) with a label embedded in it at (35, 25).
class EmbeddedControls : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = TestWindow::Make([this](TestWindow &w) {
            container = AddNamed<Canvas>(w, u"box"_s, {{"Left", 20}, {"Top", 10}, {"Width", 120}, {"Height", 80}});
            child = AddNamed<Label>(w, u"inner"_s, {{"Left", 35}, {"Top", 25}, {"Width", 60}, {"Height", 20},
                                                    {"InitialParent", u"box"_s}});
        });
        ASSERT_TRUE(ShowExposed(*window));
    }

    Ref<TestWindow> window;
    Ref<Canvas> container;
    Ref<Label> child;
};

class EmbeddedVisibility : public EmbeddedControls, public ::testing::WithParamInterface<EmbeddedCase> {};

TEST_P(EmbeddedVisibility, ShowOnlyWithTheirContainerAndKeepTheirOwnSetting)
{
    const EmbeddedCase &c = GetParam();
    child->SetVisible(c.childVisible);
    container->SetVisible(c.containerVisible);
    EXPECT_EQ(child->Widget()->isVisible(), c.containerVisible && c.childVisible);
    EXPECT_EQ(child->Visible(), c.childVisible);

    container->SetVisible(!c.containerVisible);
    EXPECT_EQ(child->Widget()->isVisible(), !c.containerVisible && c.childVisible);
    EXPECT_EQ(child->Visible(), c.childVisible);

    container->SetVisible(true);
    EXPECT_EQ(child->Widget()->isVisible(), c.childVisible);
}

INSTANTIATE_TEST_SUITE_P(Settings, EmbeddedVisibility,
                         ::testing::Values(EmbeddedCase{true, true}, EmbeddedCase{true, false},
                                           EmbeddedCase{false, true}, EmbeddedCase{false, false}));

TEST_F(EmbeddedControls, ArePlacedInWindowCoordinates)
{
    EXPECT_EQ(child->Widget()->mapTo(window->ContentWidget(), QPoint(0, 0)), QPoint(35, 25));
    EXPECT_EQ(child->Widget()->size(), QSize(60, 20));
    child->SetLeft(50);
    EXPECT_EQ(child->Widget()->mapTo(window->ContentWidget(), QPoint(0, 0)), QPoint(50, 25));
}

} // namespace
} // namespace tickora::testing
