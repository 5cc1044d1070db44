#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/Canvas.h"
#include "runtime/Label.h"

#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <stdexcept>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Ref;

// A window that writes down every build step and event it gets; which of
// them the runtime raises is up to the description it is made with.
class RecordingWindow : public runtime::Window {
public:
    explicit RecordingWindow(const runtime::ClassDescription &description) : m_description(description) {}

    QStringList events;
    const runtime::Object *menuTarget = nullptr;
    std::function<void(RecordingWindow &)> onCreateControls;

    void CreateControls() override
    {
        events << u"CreateControls"_s;
        if (onCreateControls)
            onCreateControls(*this);
    }
    void Layout() override { events << u"Layout"_s; }
    void AddMenuHandlers(Ref<runtime::Object> target) override
    {
        events << u"AddMenuHandlers"_s;
        menuTarget = target.Get();
    }
    void Event_Open() override { events << u"Open"_s; }
    bool Event_MouseDown(std::int64_t, std::int64_t) override
    {
        events << u"MouseDown"_s;
        return true;
    }
    const runtime::ClassDescription &Description() const override { return m_description; }

private:
    const runtime::ClassDescription &m_description;
};

Ref<RecordingWindow> MakeRecording(const char *className, const QStringList &handled,
                                   std::function<void(RecordingWindow &)> createControls = {})
{
    auto window = runtime::NewObject<RecordingWindow>(
        runtime::RuntimeRegisterClass({QString::fromLatin1(className), handled}));
    window->onCreateControls = std::move(createControls);
    window->Constructor();
    return window;
}

class WindowBuild : public RuntimeFixture {};

TEST_F(WindowBuild, RaisesBuildStepsThenControlOpensInCreationOrderThenOpen)
{
    auto window = MakeRecording("Recording.Full", {u"CreateControls"_s, u"Layout"_s, u"AddMenuHandlers"_s, u"Open"_s},
                                [](RecordingWindow &w) {
                                    for (const QString &name : {u"second"_s, u"first"_s, u"third"_s})
                                        AddNamed<runtime::Label>(w, name)->Open.AddHandler(
                                            [&w, name](runtime::Label &) { w.events << name + u".Open"_s; });
                                });
    EXPECT_EQ(window->events, (QStringList{u"CreateControls"_s, u"Layout"_s, u"AddMenuHandlers"_s, u"second.Open"_s,
                                           u"first.Open"_s, u"third.Open"_s, u"Open"_s}));
    EXPECT_EQ(window->menuTarget, static_cast<const runtime::Object *>(window.Get()));
}

struct DescribedEvents {
    const char *className;
    QStringList handled;
};

void PrintTo(const DescribedEvents &c, std::ostream *os) { *os << c.className; }

class EventsOfTheDescription : public RuntimeFixture, public ::testing::WithParamInterface<DescribedEvents> {};

// Exactly the described events are raised, in build order; a click on the
// content raises MouseDown only when that is described too.
TEST_P(EventsOfTheDescription, AreTheOnlyOnesRaised)
{
    const DescribedEvents &c = GetParam();
    auto window = MakeRecording(c.className, c.handled);
    ASSERT_TRUE(ShowExposed(*window));
    ClickInWindow(*window, QPoint(5, 5));

    QStringList expected;
    for (const QString &event : {u"CreateControls"_s, u"Layout"_s, u"AddMenuHandlers"_s, u"Open"_s, u"MouseDown"_s})
        if (c.handled.contains(event))
            expected << event;
    EXPECT_EQ(window->events, expected);
}

INSTANTIATE_TEST_SUITE_P(Subsets, EventsOfTheDescription,
                         ::testing::Values(DescribedEvents{"Recording.None", {}},
                                           DescribedEvents{"Recording.OpenOnly", {u"Open"_s}},
                                           DescribedEvents{"Recording.NoLayout", {u"Open"_s, u"CreateControls"_s}},
                                           DescribedEvents{"Recording.Menus", {u"AddMenuHandlers"_s, u"Layout"_s}},
                                           DescribedEvents{"Recording.Mouse", {u"MouseDown"_s}}));

class ImplicitInstance : public RuntimeFixture {
protected:
    static Ref<runtime::Window> Implicit() { return runtime::Window::GetImplicitWindow(TestWindow::ClassInfo().Name); }
};

TEST_F(ImplicitInstance, IsTheWindowFromTheStartOfItsConstructionUntilClose)
{
    auto window = runtime::NewObject<TestWindow>();
    Ref<runtime::Window> duringCreateControls;
    Ref<runtime::Window> duringOpen;
    window->onCreateControls = [&](TestWindow &) { duringCreateControls = Implicit(); };
    window->onOpen = [&](TestWindow &) { duringOpen = Implicit(); };
    EXPECT_TRUE(Implicit().IsNil());
    window->Constructor();
    EXPECT_TRUE(duringCreateControls == window);
    EXPECT_TRUE(duringOpen == window);
    EXPECT_TRUE(Implicit() == window);

    auto second = TestWindow::Make();
    EXPECT_TRUE(Implicit() == window);
    window->Close();
    EXPECT_TRUE(Implicit().IsNil());
    second->Close();

    auto successor = TestWindow::Make();
    EXPECT_TRUE(Implicit() == successor);
}

TEST_F(ImplicitInstance, FailedBuildLeavesNoInstanceAndPropagates)
{
    auto window = runtime::NewObject<TestWindow>();
    window->onCreateControls = [](TestWindow &) { throw runtime::NilObjectException(u"no picture"_s); };
    EXPECT_THROW(window->Constructor(), runtime::NilObjectException);
    EXPECT_TRUE(Implicit().IsNil());
    EXPECT_TRUE(runtime::Window::OpenWindows().empty());

    auto replacement = TestWindow::Make();
    EXPECT_TRUE(Implicit() == replacement);
}

// A window that fails to build was never the user's last open window: the
// failure travels on to whoever built it, and that caller decides the exit
// code. A quit request with 0 here would win over the caller's report.
TEST_F(ImplicitInstance, FailedBuildRequestsNoQuit)
{
    auto window = runtime::NewObject<TestWindow>();
    window->onLayout = [](TestWindow &) { throw std::runtime_error("layout failed"); };
    EXPECT_THROW(window->Constructor(), std::runtime_error);
    EXPECT_TRUE(quitCodes.empty());
}

struct MenuBarCase {
    const char *name;
    bool menuBarBeforeSize, menuBarVisible, resizeable;
};

void PrintTo(const MenuBarCase &c, std::ostream *os) { *os << c.name; }

class ContentArea : public RuntimeFixture, public ::testing::WithParamInterface<MenuBarCase> {};

// Width and Height are the content's; the in-window menu bar lies above it,
// and clicks report content coordinates.
TEST_P(ContentArea, KeepsItsSizeBelowTheMenuBar)
{
    const MenuBarCase &c = GetParam();
    auto window = TestWindow::Make([&](TestWindow &w) {
        if (c.menuBarBeforeSize)
            w.SetMenuBar(ProgramLikeMenuBar());
        runtime::SetProperties(w, {{"Width", 300}, {"Height", 180}, {"Resizeable", c.resizeable},
                                   {"MenuBarVisible", c.menuBarVisible}});
        if (!c.menuBarBeforeSize)
            w.SetMenuBar(ProgramLikeMenuBar());
    });
    std::vector<QPoint> clicks;
    window->onMouseDown = [&](std::int64_t x, std::int64_t y) {
        clicks.emplace_back(static_cast<int>(x), static_cast<int>(y));
        return true;
    };
    ASSERT_NE(window->MenuBarWidget(), nullptr);
    const int menuHeight = c.menuBarVisible ? window->MenuBarWidget()->sizeHint().height() : 0;
    EXPECT_EQ(menuHeight > 0, c.menuBarVisible);
    EXPECT_EQ(window->Width(), 300);
    EXPECT_EQ(window->Height(), 180);
    EXPECT_EQ(window->ContentWidget()->geometry(), QRect(0, menuHeight, 300, 180));
    EXPECT_EQ(window->Widget()->size(), QSize(300, 180 + menuHeight));

    ASSERT_TRUE(ShowExposed(*window));
    EXPECT_EQ(window->ContentWidget()->size(), QSize(300, 180));
    EXPECT_EQ(window->Widget()->size(), QSize(300, 180 + menuHeight));
    QTest::mouseClick(window->Widget()->windowHandle(), Qt::LeftButton, {}, QPoint(30, menuHeight + 12));
    EXPECT_EQ(clicks, std::vector<QPoint>{QPoint(30, 12)});
}

INSTANTIATE_TEST_SUITE_P(Orders, ContentArea,
                         ::testing::Values(MenuBarCase{"MenuBarFirst", true, true, true},
                                           MenuBarCase{"SizeFirst", false, true, true},
                                           MenuBarCase{"FixedSize", false, true, false},
                                           MenuBarCase{"MenuBarHidden", true, false, true}));

class WindowPlacement : public RuntimeFixture {};

TEST_F(WindowPlacement, VisibleInTheListShowsOnlyOnceBuilt)
{
    std::vector<bool> shownWhileBuilding;
    auto window = runtime::NewObject<TestWindow>();
    window->onCreateControls = [&](TestWindow &w) {
        runtime::SetProperties(w, {{"Visible", true}});
        EXPECT_TRUE(w.Visible());
        shownWhileBuilding.push_back(w.Widget()->isVisible());
    };
    window->onLayout = [&](TestWindow &w) { shownWhileBuilding.push_back(w.Widget()->isVisible()); };
    window->onOpen = [&](TestWindow &w) { shownWhileBuilding.push_back(w.Widget()->isVisible()); };
    window->Constructor();
    EXPECT_EQ(shownWhileBuilding, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(window->Widget()->isVisible());
    EXPECT_FALSE(TestWindow::Make()->Widget()->isVisible());
}

TEST_F(WindowPlacement, TopAndLeftReadBackBeforeAndAfterShowing)
{
    auto window = TestWindow::Make([](TestWindow &w) { runtime::SetProperties(w, {{"Left", 140}, {"Top", 90}}); });
    EXPECT_EQ(window->Left(), 140);
    EXPECT_EQ(window->Top(), 90);
    ASSERT_TRUE(ShowExposed(*window));
    EXPECT_EQ(window->Left(), 140);
    EXPECT_EQ(window->Top(), 90);
    window->SetTop(15);
    window->SetLeft(260);
    EXPECT_EQ(window->Left(), 260);
    EXPECT_EQ(window->Top(), 15);
}

class WindowOpacity : public RuntimeFixture, public ::testing::WithParamInterface<std::pair<double, double>> {};

TEST_P(WindowOpacity, RoundTripsClampedToZeroAndOne)
{
    auto window = TestWindow::Make();
    window->SetOpacity(GetParam().first);
    EXPECT_DOUBLE_EQ(window->Opacity(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Values, WindowOpacity,
                         ::testing::Values(std::pair{0.5, 0.5}, std::pair{0.37, 0.37}, std::pair{1.0, 1.0},
                                           std::pair{0.0, 0.0}, std::pair{1.7, 1.0}, std::pair{-0.3, 0.0}));

TEST_F(WindowPlacement, AlphaValueReachesTheWindowOfTheHandle)
{
    auto other = TestWindow::Make();
    auto window = TestWindow::Make();
    ASSERT_TRUE(ShowExposed(*other));
    ASSERT_TRUE(ShowExposed(*window));
    runtime::Window::SetAlphaValue(window->Handle(), 0.5);
    EXPECT_DOUBLE_EQ(window->Opacity(), 0.5);
    EXPECT_DOUBLE_EQ(other->Opacity(), 1.0);
    EXPECT_THROW(runtime::Window::SetAlphaValue(0, 0.5), runtime::NilObjectException);
}

class WindowClose : public RuntimeFixture {};

TEST_F(WindowClose, OnlyTheLastWindowClosedRequestsQuitWithZero)
{
    auto first = TestWindow::Make();
    auto second = TestWindow::Make();
    first->Close();
    EXPECT_TRUE(quitCodes.empty());
    EXPECT_TRUE(first->IsClosed());
    EXPECT_FALSE(second->IsClosed());

    second->Close();
    second->Close();
    EXPECT_EQ(quitCodes, std::vector<int>{0});
    EXPECT_TRUE(runtime::Window::OpenWindows().empty());
}

TEST_F(WindowClose, TitleBarCloseClosesTheRuntimeWindow)
{
    auto window = TestWindow::Make();
    ASSERT_TRUE(ShowExposed(*window));
    window->Widget()->close();
    EXPECT_TRUE(window->IsClosed());
    EXPECT_FALSE(window->Widget()->isVisible());
    EXPECT_EQ(quitCodes, std::vector<int>{0});
}

// The runtime is the only holder of the window here: closing it from inside
// its own control's handler must keep everything the handler's callers still
// use alive until the event loop turns.
TEST_F(WindowClose, FromItsOwnControlsHandlerReleasesOnlyWhenTheLoopTurns)
{
    std::weak_ptr<runtime::Window> weak;
    QPointer<QWidget> canvasWidget;
    bool handlerReturned = false;
    {
        auto window = TestWindow::Make([&](TestWindow &w) {
            auto canvas = AddNamed<runtime::Canvas>(w, u"closer"_s, {{"Width", 40}, {"Height", 40}});
            canvas->MouseDown.AddHandler([&](runtime::Canvas &self, std::int64_t, std::int64_t) {
                self.Window()->Close();
                handlerReturned = true;
                return true;
            });
        });
        ASSERT_TRUE(ShowExposed(*window));
        weak = window.Shared();
        canvasWidget = window->ControlAs<runtime::Canvas>(u"closer"_s)->Widget();
    }
    // Straight to the widget, so that no turn of the loop comes in between.
    QTest::mouseClick(canvasWidget, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(handlerReturned);
    EXPECT_EQ(quitCodes, std::vector<int>{0});
    EXPECT_FALSE(weak.expired());

    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(canvasWidget.isNull());
}

// Only the test holds the label once the window is closed and let go.
TEST_F(WindowClose, ControlOutlivingItsWindowFindsNoWindow)
{
    Ref<runtime::Label> label;
    TestWindow::Make([&](TestWindow &w) { label = AddNamed<runtime::Label>(w, u"survivor"_s); })->Close();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(label->Widget(), nullptr);
    EXPECT_TRUE(label->Window().IsNil());
}

} // namespace
} // namespace tickora::testing
