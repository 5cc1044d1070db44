#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/widgets/application/Lifecycle.h"
#include "runtime/widgets/controls/Label.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Ref;

// A window that writes down every build step and event it gets; which of
// them the runtime raises is up to the description it is made with.
struct RecordingWindow : runtime::Window {
    explicit RecordingWindow(const runtime::ClassDescription &description) : described(description) {}

    void CreateControls() override
    {
        events << u"CreateControls"_s;
        for (const QString &n : {u"second"_s, u"first"_s})
            AddNamed<runtime::Label>(*this, n)->Open.AddHandler([this, n](auto &) { events << n + u"Open"_s; });
    }
    void Layout() override { events << u"Layout"_s; }
    void AddMenuHandlers(Ref<Object> to) override { events << (to.Get() == this ? u"AddMenuHandlers"_s : u"?"_s); }
    void Event_Open() override { events << u"Open"_s; }
    const runtime::ClassDescription &Description() const override { return described; }

    const runtime::ClassDescription &described;
    QStringList events;
};

class Windows : public RuntimeFixture {};

TEST_F(Windows, BuildRaisesOnlyTheDescribedEventsWithControlOpensBeforeOpen)
{
    const QStringList all{u"CreateControls"_s, u"Layout"_s, u"AddMenuHandlers"_s, u"Open"_s};
    struct Case { const char *className; QStringList handled, raised; };
    const Case cases[] = {
        {"Recording.All", all, {all[0], all[1], all[2], u"secondOpen"_s, u"firstOpen"_s, all[3]}},
        {"Recording.Some", {all[3], all[0]}, {all[0], u"secondOpen"_s, u"firstOpen"_s, all[3]}},
        {"Recording.None", {}, {}},
    };
    for (const Case &c : cases) {
        auto window = runtime::NewObject<RecordingWindow>(
            runtime::RuntimeRegisterClass({QString::fromLatin1(c.className), c.handled}));
        window->Constructor();
        EXPECT_EQ(window->events, c.raised) << c.className;
    }
}

// The implicit instance is there from the start of construction until the
// window closes, by the program or from the title bar; only the last window
// closed asks to quit. A window that fails to build leaves no instance and
// requests no quit: the failure travels on, and its report ends the program.
TEST_F(Windows, ImplicitInstanceFromTheStartOfConstructionUntilCloseAndNoneAfterAFailedBuild)
{
    auto implicit = [] { return runtime::GetImplicitWindow(TestWindow::ClassInfo().Name); };
    auto window = runtime::NewObject<TestWindow>();
    Ref<runtime::Window> duringCreateControls;
    window->onCreateControls = [&](TestWindow &) { duringCreateControls = implicit(); };
    EXPECT_TRUE(implicit().IsNil());
    window->Constructor();
    EXPECT_TRUE(duringCreateControls == window);
    auto second = TestWindow::Make();
    EXPECT_TRUE(implicit() == window);
    window->Close();
    EXPECT_TRUE(implicit().IsNil());
    EXPECT_TRUE(quitCodes.empty());

    second->Widget()->close(); // as from the title bar
    EXPECT_TRUE(second->IsClosed());
    EXPECT_EQ(quitCodes, std::vector<int>{0});
    auto failing = runtime::NewObject<TestWindow>();
    failing->onLayout = [](TestWindow &) { throw runtime::NilObjectException(u"no picture"_s); };
    EXPECT_THROW(failing->Constructor(), runtime::NilObjectException);
    EXPECT_TRUE(implicit().IsNil());
    EXPECT_TRUE(runtime::OpenWindows().empty());
    EXPECT_EQ(quitCodes, std::vector<int>{0});
    EXPECT_TRUE(implicit() == TestWindow::Make());
}

// Width and Height are the content's, whichever comes first; the in-window
// menu bar lies above it, and clicks report content coordinates.
TEST_F(Windows, ContentAreaKeepsItsSizeBelowTheMenuBar)
{
    for (const auto &[menuBarFirst, menuBarVisible] : {std::pair{true, true}, {false, true}, {true, false}}) {
        SCOPED_TRACE(::testing::Message() << "menu bar first " << menuBarFirst << ", visible " << menuBarVisible);
        auto window = TestWindow::Make([&](TestWindow &w) {
            w.SetMenuBar(menuBarFirst ? ProgramLikeMenuBar() : nullptr);
            runtime::SetProperties(w, {{"Width", 300}, {"Height", 180}, {"MenuBarVisible", menuBarVisible}});
            if (!menuBarFirst)
                w.SetMenuBar(ProgramLikeMenuBar());
        });
        std::vector<QPoint> clicks;
        window->onMouseDown = [&](std::int64_t x, std::int64_t y) { clicks.emplace_back(int(x), int(y)); return true; };
        ASSERT_TRUE(ShowExposed(*window));
        const int menuHeight = menuBarVisible ? window->MenuBarWidget()->sizeHint().height() : 0;
        EXPECT_EQ(menuHeight > 0, menuBarVisible);
        EXPECT_EQ(window->ContentWidget()->geometry(), QRect(0, menuHeight, 300, 180));
        EXPECT_EQ(window->Widget()->size(), QSize(300, 180 + menuHeight));
        ClickAt(*window, window->ContentWidget(), QPoint(30, 12));
        EXPECT_EQ(clicks, std::vector<QPoint>{QPoint(30, 12)});
    }
}

// The runtime is the only holder of the window: closing it from inside its
// own handler keeps it alive until the event loop turns. A control the test
// still holds then finds no window.
TEST_F(Windows, ClosingFromItsOwnHandlerReleasesOnlyWhenTheLoopTurns)
{
    Ref<runtime::Label> label;
    auto window = TestWindow::Make([&](TestWindow &w) { label = AddNamed<runtime::Label>(w, u"survivor"_s); });
    window->onMouseDown = [self = window.Get()](std::int64_t, std::int64_t) { self->Close(); return true; };
    const std::weak_ptr<runtime::Window> weak = window.Shared();
    const QPointer<QWidget> content = window->ContentWidget();
    window = nullptr;
    QTest::mouseClick(content, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(weak.expired());
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(weak.expired() && content.isNull());
    EXPECT_TRUE(label->Window().IsNil());
    EXPECT_THROW(label->SetText(u"x"_s), runtime::NilObjectException);
}

// Opacity is clamped, and the handle reaches its own window and no other.
TEST_F(Windows, OpacityIsClampedAndReachesTheWindowOfTheHandle)
{
    auto other = TestWindow::Make();
    auto window = TestWindow::Make();
    ASSERT_TRUE(ShowExposed(*other) && ShowExposed(*window));
    for (const auto &[given, kept] : {std::pair{0.37, 0.37}, {1.7, 1.0}, {-0.3, 0.0}}) {
        runtime::SetAlphaValue(window->Handle(), given);
        EXPECT_EQ(std::pair(window->Opacity(), other->Opacity()), std::pair(kept, 1.0)) << given;
    }
    EXPECT_THROW(runtime::SetAlphaValue(0, 0.5), runtime::NilObjectException);
}

// Show brings a shown window back to the user however it was put away:
// minimised (which Qt still counts as visible) or behind another window.
// It is the same window, not minimised, and the active one.
TEST_F(Windows, ShowRestoresAMinimisedWindowAndActivatesIt)
{
    const std::pair<const char *, std::function<void(QWidget &)>> cases[] = {
        {"minimised", [](QWidget &w) { w.showMinimized(); }},
        {"behind another window", [](QWidget &) {}},
    };
    for (const auto &[name, putAway] : cases) {
        SCOPED_TRACE(name);
        auto other = TestWindow::Make();
        auto window = TestWindow::Make();
        ASSERT_TRUE(ShowExposed(*window) && ShowExposed(*other));
        QWidget *widget = window->Widget();
        putAway(*widget);
        QApplication::setActiveWindow(other->Widget());
        QCoreApplication::processEvents();
        ASSERT_NE(QApplication::activeWindow(), widget);

        window->Show();
        QCoreApplication::processEvents();
        EXPECT_FALSE(widget->windowState() & Qt::WindowMinimized);
        EXPECT_TRUE(widget->isVisible());
        EXPECT_EQ(QApplication::activeWindow(), widget);
        EXPECT_FALSE(window->IsClosed());
        other->Close();
        window->Close();
    }
}

// F10 and Alt+T open the application menu in every window: the window's own
// bar answers them where one is shown; elsewhere the menu pops up over the
// content, with its first item chosen, and the window keeps its size.
TEST_F(Windows, F10AndAltTOpenTheApplicationMenuWithOrWithoutAMenuBar)
{
    auto app = runtime::NewObject<runtime::Application>();
    app->SetMenuBar(ProgramLikeMenuBar());
    runtime::RuntimeRegisterAppObject(app);
    enum class Bar { None, Shown, Hidden };
    const std::pair<const char *, Bar> bars[] = {{"no menu bar", Bar::None},
                                                 {"menu bar shown", Bar::Shown},
                                                 {"menu bar hidden", Bar::Hidden}};
    const std::pair<const char *, QKeyCombination> keys[] = {{"F10", QKeyCombination(Qt::Key_F10)},
                                                             {"Alt+T", Qt::AltModifier | Qt::Key_T}};
    for (const auto &[barName, bar] : bars) {
        for (const auto &[keyName, key] : keys) {
            SCOPED_TRACE(::testing::Message() << barName << ", " << keyName);
            auto window = TestWindow::Make([bar = bar](TestWindow &w) {
                if (bar != Bar::None)
                    w.SetMenuBar(ProgramLikeMenuBar());
                runtime::SetProperties(w, {{"Width", 288}, {"Height", 289}, {"MenuBarVisible", bar == Bar::Shown}});
            });
            ASSERT_TRUE(ShowExposed(*window));
            const QSize size = window->Widget()->size();
            QApplication::setActiveWindow(window->Widget());
            QTest::keyClick(window->Widget(), key.key(), key.keyboardModifiers());

            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            QStringList items;
            for (const QAction *action : menu->actions())
                items << action->text();
            EXPECT_EQ(items, (QStringList{u"Information"_s, u"Spende"_s, QString(), u"&Quit"_s}));
            ASSERT_TRUE(menu->activeAction());
            EXPECT_EQ(menu->activeAction()->text(), u"Information"_s);
            const bool inTheBar = window->MenuBarWidget() && menu->parentWidget() == window->MenuBarWidget();
            EXPECT_EQ(inTheBar, bar == Bar::Shown);
            EXPECT_EQ(window->Widget()->size(), size);
            QTest::keyClick(menu, Qt::Key_Escape);
            EXPECT_FALSE(QApplication::activePopupWidget());
            window->Close();
        }
    }
}

struct OpeningApp : runtime::Application {
    void Event_Open() override { onOpen(); }
    const runtime::ClassDescription &Description() const override
    {
        static const runtime::ClassDescription &info = runtime::RuntimeRegisterClass({u"OpeningApp"_s, {u"Open"_s}});
        return info;
    }
    std::function<void()> onOpen;
};

// The window that start-up builds first appears only once the application's
// Open event has placed it, there; and it is the program: closing it ends
// the program whatever else is open, while closing another window does not.
TEST_F(Windows, StartupWindowAppearsWhereOpenPlacedItAndClosingItEndsTheProgram)
{
    Ref<TestWindow> first;
    auto app = runtime::NewObject<OpeningApp>();
    app->onOpen = [&] {
        EXPECT_FALSE(first->Widget()->isVisible());
        first->SetTop(0);
        first->SetLeft(442);
    };
    runtime::RuntimeRegisterAppObject(app);
    runtime::RunFrameworkInitialization([&] {
        first = runtime::NewObject<TestWindow>();
        first->onLayout = [](TestWindow &w) { w.SetVisible(true); };
        first->Constructor();
    });
    ASSERT_TRUE(first->Widget()->isVisible());
    EXPECT_EQ(first->Widget()->pos(), QPoint(442, 0));
    EXPECT_EQ(QPoint(int(first->Left()), int(first->Top())), QPoint(442, 0));

    auto about = TestWindow::Make();
    auto donation = TestWindow::Make();
    about->Close();
    EXPECT_TRUE(quitCodes.empty());
    first->Widget()->close(); // as from the title bar
    EXPECT_EQ(quitCodes, std::vector<int>{0});
}

} // namespace
} // namespace tickora::testing
