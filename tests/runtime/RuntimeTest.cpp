#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/widgets/application/Application.h"
#include "runtime/core/Boundary.h"
#include "runtime/widgets/controls/Canvas.h"
#include "runtime/core/Display.h"
#include "runtime/widgets/controls/Label.h"
#include "runtime/widgets/controls/Picture.h"
#include "runtime/widgets/application/Lifecycle.h"
#include "runtime/core/Platform.h"
#include "runtime/core/StartEnvironment.h"
#include "runtime/core/Timer.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include <future>
#include <memory>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Ref;

class CallBoundary : public RuntimeFixture {};

// What escapes a handler ends at the call-back boundary, with or without the
// wrapper the program installs: reported with its class on stderr, and the
// program asked to end with the failure's own code.
TEST_F(CallBoundary, EscapingExceptionIsReportedByClassAndEndsTheProgram)
{
    struct Case { bool programHelper; std::function<void()> handler; const char *reported; };
    const Case cases[] = {
        {false, [] { throw runtime::NilObjectException(u"lamp picture is nil"_s); }, "NilObjectException"},
        {false, [] { throw std::runtime_error("lap list is full"); }, "std::runtime_error"},
        {true, [] { throw runtime::NilObjectException(u"lamp picture is nil"_s); }, "NilObjectException"},
        {true, [] { throw std::out_of_range("lap list is full"); }, "std::out_of_range"},
        {false, [] { throw 42; }, "Unhandled"},
    };
    for (const Case &c : cases) {
        runtime::RuntimeSetExceptionHelper(c.programHelper ? &runtime::CallFunctionWithExceptionHandling
                                                           : runtime::ExceptionHelper());
        quitCodes.clear();
        ::testing::internal::CaptureStderr();
        EXPECT_NO_THROW(runtime::RunCallback(c.handler));
        const std::string report = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(report.find(c.reported), std::string::npos) << report;
        EXPECT_EQ(quitCodes, std::vector<int>{runtime::kUnhandledExceptionExitCode}) << c.reported;
    }
    runtime::RuntimeSetExceptionHelper({});
}

class Objects : public RuntimeFixture {
protected:
    Ref<runtime::Label> label;
    Ref<runtime::Canvas> canvas;
    Ref<TestWindow> window = TestWindow::Make([this](TestWindow &w) {
        label = AddNamed<runtime::Label>(w, u"label"_s);
        canvas = AddNamed<runtime::Canvas>(w, u"canvas"_s);
    });
};

// The window icon costs start-up nothing: it waits for a window's first
// frame, then carries the program's own picture of it, the very pixels.
TEST_F(Objects, WindowIconComesAfterTheFirstFrameWithTheProgramsOwnPixels)
{
    QPixmap pixels(8, 8);
    pixels.fill(Qt::red);
    const auto held = runtime::NewObject<runtime::Picture>(pixels, u"mark.png"_s);
    QGuiApplication::setWindowIcon({});
    runtime::RuntimeSetDesktopIdentity(u"tickora-test"_s, u"mark"_s, [held] { return held; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(QGuiApplication::windowIcon().isNull());

    ASSERT_TRUE(ShowExposed(*window));
    QTRY_VERIFY(!QGuiApplication::windowIcon().isNull());
    const QIcon icon = QGuiApplication::windowIcon();
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(8, 8)});
    EXPECT_EQ(icon.pixmap(QSize(8, 8)).cacheKey(), held->Pixmap().cacheKey());
    QGuiApplication::setWindowIcon({});
}

// Each operation runs on a thread of its own, raises there, and changes nothing.
TEST_F(Objects, TouchingTheUserInterfaceFromAnotherThreadRaises)
{
    auto timer = window->New<runtime::Timer>();
    const std::function<void()> operations[] = {
        [&] { window->SetTitle(u"after"_s); },
        [&] { timer->SetEnabled(false); },
        [&] { timer->Action.AddHandler([](runtime::Timer &) {}); },
    };
    for (const auto &operation : operations)
        EXPECT_THROW(std::async(std::launch::async, operation).get(), runtime::ThreadAccessingUIException)
            << "operation " << &operation - operations;
    EXPECT_EQ(window->Title(), QString());
    EXPECT_TRUE(timer->Enabled());
}

TEST_F(Objects, PropertyListsApplyInOrderAndStopAtTheFirstBadEntry)
{
    runtime::SetProperties(*label, {{"Text", u"first"_s}, {"Left", 10}, {"Text", u"second"_s}, {"Left", 25}});
    EXPECT_EQ(label->Text(), u"second"_s);
    EXPECT_EQ(label->Widget()->x(), 25);

    // A typo, and a property of another class, are unknown names.
    EXPECT_THROW(runtime::SetProperties(*label, {{"Txt", u"x"_s}}), runtime::KeyNotFoundException);
    EXPECT_THROW(runtime::SetProperties(*canvas, {{"Text", u"x"_s}}), runtime::KeyNotFoundException);
    const runtime::Property wrongKinds[] = {{"FontSize", std::int64_t{12}}, {"Visible", u"True"_s}, {"Left", 1.5f}};
    for (const runtime::Property &entry : wrongKinds)
        EXPECT_THROW(runtime::SetProperties(*label, {entry}), runtime::TypeMismatchException) << entry.Name;

    EXPECT_THROW(runtime::SetProperties(*label, {{"Top", 5}, {"Unknown", true}, {"Top", 9}}),
                 runtime::KeyNotFoundException);
    EXPECT_THROW(runtime::SetProperties(*label, {{"Left", 40}, {"Text", std::int64_t{3}}, {"Left", 50}}),
                 runtime::TypeMismatchException);
    EXPECT_EQ(std::pair(label->Left(), label->Top()), std::pair(std::int64_t{40}, std::int64_t{5}));
}

// Nil raises on use, and the class test passes nil as nil and raises on an
// object of another class.
TEST_F(Objects, NilAndClassTests)
{
    EXPECT_THROW(Ref<runtime::Label>()->Text(), runtime::NilObjectException);
    EXPECT_TRUE(runtime::ClassTest<runtime::Label>(Ref<runtime::Control>()).IsNil());
    EXPECT_TRUE(runtime::ClassTest<runtime::Label>(Ref<runtime::Control>(label)) == label);
    EXPECT_THROW(runtime::ClassTest<runtime::Label>(Ref<runtime::Control>(canvas)), runtime::IllegalCastException);
}

// The Qt menu bar that the program's tree turns into on a platform without an
// application menu of its own.
class Menus : public RuntimeFixture {
protected:
    runtime::Ref<runtime::MenuBar> bar = ProgramLikeMenuBar();
    std::unique_ptr<QMenuBar> qtBar{runtime::BuildMenuBar(*bar, nullptr)};
};

TEST_F(Menus, BuiltBarShowsOnlyTheApplicationMenuWithItsItemsAndShortcuts)
{
    QStringList visibleMenus;
    for (QAction *action : qtBar->actions())
        if (action->isVisible())
            visibleMenus << action->text();
    ASSERT_EQ(visibleMenus, QStringList{u"&Tickora"_s});
    QStringList items;
    for (QAction *action : qtBar->actions().front()->menu()->actions())
        items << (action->isSeparator() ? u"--"_s : action->text() + u" "_s + action->shortcut().toString());
    EXPECT_EQ(items, (QStringList{u"Information Ctrl+I"_s, u"Spende "_s, u"--"_s, u"&Quit Ctrl+Q"_s}));
    // The menu shows the items' own actions, so a change to an item shows at once.
    EXPECT_EQ(qtBar->actions().front()->menu()->actions()[1], bar->Lookup(u"AppleSpende"_s)->Action());
}

// A handler of the application that answers True has taken the command;
// otherwise the quit item quits, and any other item does nothing.
TEST_F(Menus, CommandsRunTheApplicationsHandlerAndQuitOnlyWhenUntaken)
{
    struct Case { const char *item; bool bound, handled; std::vector<int> quitCodes; };
    const Case cases[] = {{"AppleInfo", true, true, {}},   {"AppleInfo", false, false, {}},
                          {"FileQuit", false, false, {0}}, {"FileQuit", true, true, {}},
                          {"FileQuit", true, false, {0}}};
    for (const Case &c : cases) {
        auto app = runtime::NewObject<runtime::Application>();
        runtime::RuntimeRegisterAppObject(app);
        int runs = 0;
        if (c.bound)
            app->AddMenuHandler(QString::fromLatin1(c.item), [&] { ++runs; return c.handled; });
        quitCodes.clear();
        bar->Lookup(QString::fromLatin1(c.item))->Action()->trigger();
        EXPECT_EQ(std::pair(runs, quitCodes), std::pair(c.bound ? 1 : 0, c.quitCodes))
            << c.item << " bound " << c.bound << " handled " << c.handled;
    }
}

// Environment in, plug-in and notice out: X whenever there is an X display and
// the user chose nothing; the user's choice stands; native Wayland only where
// there is nothing else, and then with a word on what will not work.
TEST(Platform, PrefersAnXDisplayAndOwnsUpToNativeWayland)
{
    struct Case { const char *what; runtime::PlatformEnvironment environment; const char *platform; bool notice; };
    const Case cases[] = {
        {"Wayland session with XWayland", {{}, u":0"_s, u"wayland-0"_s, u"wayland"_s}, "xcb", false},
        {"X11 session", {{}, u":0"_s, {}, u"x11"_s}, "xcb", false},
        {"Wayland only", {{}, {}, u"wayland-0"_s, u"wayland"_s}, "", true},
        {"Wayland session, socket not named", {{}, {}, {}, u"Wayland"_s}, "", true},
        {"user chose Wayland", {u"wayland"_s, u":0"_s, u"wayland-0"_s, u"wayland"_s}, "", true},
        {"user chose X", {u"xcb"_s, u":0"_s, u"wayland-0"_s, u"wayland"_s}, "", false},
        {"user chose offscreen", {u"offscreen"_s, {}, {}, {}}, "", false},
        {"no display at all", {}, "", false},
    };
    for (const Case &c : cases) {
        const runtime::PlatformChoice choice = runtime::ChoosePlatform(c.environment);
        EXPECT_EQ(std::pair(choice.platform, !choice.notice.isEmpty()),
                  std::pair(QString::fromLatin1(c.platform), c.notice))
            << c.what;
        if (c.notice) {
            EXPECT_TRUE(choice.notice.contains(u"opacity"_s) && choice.notice.contains(u"place"_s)) << c.what;
        }
    }
}

// DISPLAY may name an X server that is gone or not up yet, and only a
// connection tells. In a Wayland session such a display leaves the program on
// Wayland, with its notice; the X display is asked only where the answer
// decides. From the process's own environment: a display nobody serves does
// not answer.
TEST(Platform, AnXDisplayThatDoesNotAnswerLeavesWaylandInAWaylandSession)
{
    struct Case { const char *what; runtime::PlatformEnvironment environment; bool answers; const char *platform; bool notice; int asked; };
    const Case cases[] = {
        {"Wayland session, X gone", {{}, u":99"_s, u"wayland-0"_s, u"wayland"_s}, false, "wayland", true, 1},
        {"socket not named, X gone", {{}, u":99"_s, {}, u"wayland"_s}, false, "wayland", true, 1},
        {"Wayland session, X answers", {{}, u":0"_s, u"wayland-0"_s, u"wayland"_s}, true, "xcb", false, 1},
        {"X11 session, X gone", {{}, u":99"_s, {}, u"x11"_s}, false, "xcb", false, 0},
        {"user chose X, X gone", {u"xcb"_s, u":99"_s, u"wayland-0"_s, u"wayland"_s}, false, "", false, 0},
    };
    for (const Case &c : cases) {
        runtime::PlatformEnvironment environment = c.environment;
        int asked = 0;
        environment.xDisplayAnswers = [&] {
            ++asked;
            return c.answers;
        };
        const runtime::PlatformChoice choice = runtime::ChoosePlatform(environment);
        EXPECT_EQ(std::tuple(choice.platform, !choice.notice.isEmpty(), asked),
                  std::tuple(QString::fromLatin1(c.platform), c.notice, c.asked))
            << c.what;
    }

    int number = 900;
    while (QFile::exists(u"/tmp/.X11-unix/X%1"_s.arg(number)) || QFile::exists(u"/tmp/.X%1-lock"_s.arg(number)))
        ++number;
    const char *names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"};
    std::vector<std::optional<QByteArray>> saved;
    for (const char *name : names)
        saved.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    qunsetenv("QT_QPA_PLATFORM");
    qputenv("DISPLAY", ":" + QByteArray::number(number));
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    qputenv("XDG_SESSION_TYPE", "wayland");
    const runtime::PlatformChoice choice = runtime::ChoosePlatform(runtime::ProcessPlatformEnvironment());
    for (std::size_t i = 0; i < saved.size(); ++i)
        saved[i] ? qputenv(names[i], *saved[i]) : qunsetenv(names[i]);
    EXPECT_EQ(choice.platform, u"wayland"_s) << "DISPLAY=:" << number;
}

// The line a program without its display ends with names the display that
// was tried: the X display for Qt's X11 plug-in, the Wayland socket for its
// Wayland plug-in (and the X display first where that did not answer),
// whichever the environment names when Qt chose; and where
// the plug-in is not one of a display, nothing, so that Qt's own words stand.
TEST(Platform, DisplayMessagesNameTheDisplayThatWasTried)
{
    struct Case { const char *what; runtime::PlatformEnvironment environment; const char *platform; const char *line; };
    const Case cases[] = {
        {"X display", {{}, u":55"_s, {}, {}}, "xcb", "cannot open display :55"},
        {"X asked for, none named", {u"xcb"_s, {}, u"wayland-0"_s, {}}, "xcb", "cannot open an X display: DISPLAY is not set"},
        {"Wayland asked for", {u"wayland"_s, u":0"_s, u"w-1"_s, {}}, "wayland", "cannot open Wayland display w-1"},
        {"Wayland list, default socket", {u"wayland;xcb"_s, {}, {}, {}}, " wayland;xcb", "cannot open Wayland display wayland-0"},
        {"Wayland, X did not answer", {{}, u":99"_s, u"w-1"_s, u"wayland"_s}, "wayland", "cannot open display :99, nor Wayland display w-1"},
        {"Qt's choice, X named", {{}, u":1"_s, u"w-1"_s, {}}, "", "cannot open display :1"},
        {"Qt's choice, Wayland named", {{}, {}, u"w-1"_s, u"wayland"_s}, "", "cannot open Wayland display w-1"},
        {"Qt's choice, nothing named", {{}, {}, {}, {}}, "", "no display to open: neither DISPLAY nor WAYLAND_DISPLAY is set"},
        {"not a display's plug-in", {u"eglfs"_s, u":0"_s, {}, {}}, "eglfs", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(runtime::CannotOpenDisplayMessage(c.environment, QString::fromLatin1(c.platform)),
                  QString::fromUtf8(c.line))
            << c.what;
    }
}

// The switches Qt reads while it starts hold for that time only; afterwards
// each variable is as it was (unset, set, set but empty), even one set twice,
// so a browser started later inherits none of them.
TEST(Platform, StartSwitchesAreGoneOnceQtHasStarted)
{
    const char *name = "TICKORA_TEST_START_SWITCH";
    const std::optional<QByteArray> befores[] = {std::nullopt, QByteArray("the user's"), QByteArray("")};
    for (const std::optional<QByteArray> &before : befores) {
        SCOPED_TRACE(before ? "set to \"" + before->toStdString() + '"' : std::string("unset"));
        if (before)
            qputenv(name, *before);
        else
            qunsetenv(name);
        {
            runtime::StartEnvironment startup;
            startup.Set(name, "1");
            startup.Set(name, "2");
            EXPECT_EQ(qgetenv(name), "2");
        }
        EXPECT_EQ(qEnvironmentVariableIsSet(name), before.has_value());
        EXPECT_EQ(qgetenv(name), before.value_or(QByteArray()));
    }
    qunsetenv(name);
}

// A page that cannot be opened fails loudly, and the runtime's message box
// shows the program's words (an address among them) selectable and copyable.
// The runtime has no words of its own: it tells the user nothing by itself.
TEST_F(Objects, ShowURLThatFailsRaisesAndTheMessageBoxShowsTextToCopy)
{
    const QString address = u"https://example.org/a?b=1&c=2"_s;
    runtime::ShowURL(address);
    EXPECT_EQ(openedUrls, std::vector<QString>{address});

    urlOpenerSucceeds = false;
    EXPECT_THROW(runtime::ShowURL(address), runtime::IOException);
    EXPECT_THROW(runtime::ShowURL(u"not an address"_s), runtime::IOException);
    EXPECT_TRUE(shownMessages.empty());

    const QString message = u"Open this address:\n"_s + address;
    // The runtime's own box, without the recorder.
    runtime::SetMessageShower({});
    runtime::MessageBox(message);
    QMessageBox *box = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<QMessageBox *>(widget); found && found->isVisible())
            box = found;
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), message);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_TRUE(box->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
    EXPECT_TRUE(box->isModal());
    box->close();
}

} // namespace
} // namespace tickora::testing
