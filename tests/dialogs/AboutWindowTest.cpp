// The About window: its look and texts, the link's colours and click, and
// the ways it closes.
#include "support/RuntimeFixture.h"

#include "app/Pictures.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/WebPages.h"

#include <QEnterEvent>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <functional>

namespace tickora::testing {
namespace {

using runtime::Color;
using runtime::Ref;

const Color kAmber{255, 200, 0};
const Color kYellowGreen{150, 200, 0};
const Color kWhite{255, 255, 255};

class AboutWindowTest : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = Open();
    }
    void TearDown() override
    {
        window = nullptr;
        RuntimeFixture::TearDown();
    }
    // What the "Information" command does.
    static Ref<AboutWindow> Open()
    {
        Ref<AboutWindow> about = AboutWindow::Instance();
        about->Show(true);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(about->Widget()));
        return about;
    }
    // The offscreen platform has no pointer that could cross the link's edge.
    void PointerEntersLink()
    {
        QWidget *link = window->WebAdresse()->Widget();
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), link->mapToGlobal(QPointF(5, 5)));
        QCoreApplication::sendEvent(link, &event);
    }
    void PointerLeavesLink()
    {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(window->WebAdresse()->Widget(), &event);
    }
    static void ClickAt(const Ref<AboutWindow> &about, QPoint content)
    {
        QTest::mouseClick(about->Widget()->windowHandle(), Qt::LeftButton, {},
                          about->ContentWidget()->mapTo(about->Widget(), content));
    }
    void ClickLink() { ClickAt(window, window->WebAdresse()->Widget()->geometry().center()); }

    Ref<AboutWindow> window;
};

TEST_F(AboutWindowTest, IsAFixedDarkBlueWindowWithABlankTitleAndNoButtonsCentredOnTheScreen)
{
    const QWidget *frame = window->Widget();
    EXPECT_EQ(window->Title(), QStringLiteral(" "));
    EXPECT_EQ(frame->size(), QSize(288, 289));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_EQ(window->BackgroundColor(), runtime::RGB(0, 62, 101));
    EXPECT_FALSE(frame->windowFlags()
                 & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    // Centred to within the border that the platform draws around it.
    const QPoint offCentre = frame->geometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(std::abs(offCentre.x()), frame->frameGeometry().width() - frame->width());
    EXPECT_LE(std::abs(offCentre.y()), frame->frameGeometry().height() - frame->height());
}

TEST_F(AboutWindowTest, ShowsNameVersionIconAndItsLinesWithNoPlaceholderLeft)
{
    const std::tuple<Ref<runtime::Label>, QRect, float, Color, QString> labels[] = {
        {window->StatAppName(), {1, 17, 283, 16}, 14.0f, kWhite, QStringLiteral("Tickora\r")},
        {window->StatAppVersion(), {1, 43, 283, 12}, 10.0f, kWhite, QStringLiteral("Version 2.0")},
        {window->StatAppCopyright(), {1, 227, 283, 34}, 9.0f, kWhite, QStringLiteral("©")},
        {window->WebAdresse(), {0, 193, 283, 20}, 10.0f, kAmber, QStringLiteral("Velmoran Software Website")},
        {window->StaticText2(), {1, 260, 284, 20}, 9.0f, Color{1, 102, 25}, QStringLiteral("C++ and Qt")},
        {window->StatAppContent(), {16, 165, 255, 29}, 9.0f, kWhite, QStringLiteral("ZQ")},
    };
    for (const auto &[label, frame, fontSize, colour, shown] : labels) {
        SCOPED_TRACE(label->Name().toStdString());
        EXPECT_EQ(label->Widget()->geometry(), frame);
        EXPECT_TRUE(label->Text().contains(shown)) << label->Text().toStdString();
        EXPECT_FALSE(label->Text().startsWith(QStringLiteral("kApp")));
        EXPECT_EQ(label->Font().Size, fontSize);
        EXPECT_EQ(label->TextColor(), colour);
    }
    EXPECT_EQ(window->StatAppName()->Text(), QStringLiteral("Tickora\r"));
    EXPECT_EQ(window->StatAppVersion()->Text(), QStringLiteral("Version 2.0"));
    EXPECT_TRUE(window->Canvas1()->Backdrop() == icon80());
    EXPECT_EQ(window->Canvas1()->Widget()->geometry(), QRect(103, 67, 82, 86));
    EXPECT_TRUE(window->UseCredits);
}

// The link's states: amber and underlined when it opens, yellow-green under
// the pointer, white after it. A click that cannot open the page changes
// nothing; one that can opens it first, then turns amber, then closes.
TEST_F(AboutWindowTest, LinkFollowsThePointerAndAClickOpensThePageBeforeTurningAmberAndClosing)
{
    const auto link = window->WebAdresse();
    EXPECT_EQ(link->TextColor(), kAmber);
    EXPECT_TRUE(link->Underline());
    const std::pair<std::function<void()>, Color> moves[] = {
        {[&] { PointerEntersLink(); }, kYellowGreen},
        {[&] { PointerLeavesLink(); }, kWhite},
        {[&] { PointerEntersLink(); }, kYellowGreen},
    };
    for (const auto &[move, colour] : moves) {
        move();
        EXPECT_EQ(link->TextColor(), colour);
        EXPECT_TRUE(link->Underline());
    }

    urlOpenerSucceeds = false;
    ::testing::internal::CaptureStderr();
    ClickLink();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.find("Unhandled"), std::string::npos) << errors;
    EXPECT_EQ(link->TextColor(), kYellowGreen);
    EXPECT_FALSE(window->IsClosed());

    std::pair<bool, Color> whenOpened;
    runtime::SetUrlOpener([&](const QUrl &url) {
        openedUrls.push_back(url.toString());
        whenOpened = {window->IsClosed(), link->TextColor()};
        return true;
    });
    ClickLink();
    const QString page = QStringView(kMakerPage).toString();
    EXPECT_EQ(openedUrls, (std::vector<QString>{page, page}));
    EXPECT_EQ(whenOpened, std::make_pair(false, kYellowGreen));
    EXPECT_EQ(link->TextColor(), kAmber);
    EXPECT_TRUE(window->IsClosed());
    const Ref<AboutWindow> fresh = Open();
    EXPECT_FALSE(fresh->WebAdresse_MouseDown(*fresh->WebAdresse(), 1, 1));
}

TEST_F(AboutWindowTest, ClicksOffTheLinkAndBothCloseCommandsCloseIt)
{
    auto command = [](const char *name) {
        return [name](const Ref<AboutWindow> &about) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(about->Widget()));
            EXPECT_FALSE(runtime::Window::HandleMenuCommandInActiveWindow(QString::fromLatin1(name)));
        };
    };
    const std::pair<const char *, std::function<void(const Ref<AboutWindow> &)>> closers[] = {
        {"background", [](const Ref<AboutWindow> &about) { ClickAt(about, {140, 5}); }},
        {"version label", [](const Ref<AboutWindow> &about) { ClickAt(about, {140, 49}); }},
        {"FileClose", command("FileClose")},
        {"FileCloseWindow", command("FileCloseWindow")},
    };
    for (const auto &[name, close] : closers) {
        const Ref<AboutWindow> about = Open();
        close(about);
        EXPECT_TRUE(about->IsClosed()) << name;
    }
    EXPECT_FALSE(Open()->Event_MouseDown(0, 0));
}

TEST_F(AboutWindowTest, InformationWhileOpenRewritesTheSameWindowAndAfterCloseBuildsAFreshOne)
{
    PointerEntersLink();
    PointerLeavesLink();
    window->StatAppVersion()->SetText(QStringLiteral("stale"));
    EXPECT_TRUE(Open() == window);
    EXPECT_EQ(window->StatAppVersion()->Text(), QStringLiteral("Version 2.0"));
    EXPECT_EQ(window->WebAdresse()->TextColor(), kWhite);

    window->Close();
    const Ref<AboutWindow> fresh = Open();
    EXPECT_FALSE(fresh == window);
    EXPECT_EQ(fresh->WebAdresse()->TextColor(), kAmber);
    EXPECT_TRUE(fresh->WebAdresse()->Underline());
}

} // namespace
} // namespace tickora::testing
