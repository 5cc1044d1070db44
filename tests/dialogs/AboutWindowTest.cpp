// The About window: its look and texts, the link's colours and click, and
// the clicks that close it.
#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"

#include "app/shared/Pictures.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/WebPages.h"

#include <QEnterEvent>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Color;
using runtime::Ref;

const Color kAmber{255, 200, 0};

// What the "Information" command does.
Ref<AboutWindow> Open()
{
    Ref<AboutWindow> about = AboutWindow::Instance();
    about->Show(true);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(about->Widget()));
    return about;
}

class AboutWindowTest : public RuntimeFixture {};

// A fixed window on dark blue under a blank title, without title-bar buttons;
// every text is written, none left as the layout's placeholder.
TEST_F(AboutWindowTest, IsAFixedDarkBlueWindowWithABlankTitleNoButtonsAndItsTexts)
{
    const Ref<AboutWindow> window = Open();
    const QWidget *frame = window->Widget();
    EXPECT_EQ(std::tuple(window->Title(), frame->size(), frame->maximumSize(), window->BackgroundColor()),
              std::tuple(u" "_s, QSize(288, 289), frame->minimumSize(), runtime::RGB(0, 62, 101)));
    EXPECT_FALSE(frame->windowFlags()
                 & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const std::pair<Ref<runtime::Label>, QString> texts[] = {
        {window->StatAppName(), u"Tickora\r"_s},
        {window->StatAppVersion(), u"Version 2.0"_s},
        {window->StatAppCopyright(), u"Copyright © Velmoran Software.\rAlle Rechte vorbehalten."_s},
        {window->WebAdresse(), u"Velmoran Software Website"_s},
        {window->StaticText2(), u"Built with C++ and Qt 6"_s},
        {window->StatAppContent(), u"Entwickelt von ZQ für Velmoran Software"_s},
    };
    for (const auto &[label, text] : texts)
        EXPECT_EQ(label->Text(), text) << label->Name().toStdString();
    EXPECT_TRUE(window->Canvas1()->Backdrop() == icon80());
}

// The link's states: amber and underlined when it opens, yellow-green under
// the pointer, white after it. A click that cannot open the page changes
// nothing but a message; one that can opens it first, then turns amber, then closes.
TEST_F(AboutWindowTest, LinkFollowsThePointerAndAClickOpensThePageBeforeTurningAmberAndClosing)
{
    const Ref<AboutWindow> window = Open();
    const auto link = window->WebAdresse();
    QWidget *widget = link->Widget();
    // The offscreen platform has no pointer that could cross the link's edge.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
    QEvent leave(QEvent::Leave);
    const std::pair<QEvent *, Color> moves[] = {
        {nullptr, kAmber}, {&enter, Color{150, 200, 0}}, {&leave, Color{255, 255, 255}}, {&enter, Color{150, 200, 0}}};
    for (const auto &[move, colour] : moves) {
        if (move)
            QCoreApplication::sendEvent(widget, move);
        EXPECT_EQ(std::pair(link->TextColor(), link->Underline()), std::pair(colour, true));
    }

    // Not reported as a failure, which would end the program, but told to
    // the user, with the address.
    urlOpenerSucceeds = false;
    ClickAt(*window, widget, widget->rect().center());
    ASSERT_EQ(std::tuple(link->TextColor(), window->IsClosed(), quitCodes),
              std::tuple(moves[3].second, false, std::vector<int>{}));
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_TRUE(shownMessages[0].startsWith(u"Die Seite konnte nicht geöffnet werden."));
    EXPECT_TRUE(shownMessages[0].contains(QStringView(kMakerPage))) << shownMessages[0].toStdString();

    std::pair<bool, Color> whenOpened;
    runtime::SetUrlOpener([&](const QUrl &url) {
        openedUrls.push_back(url.toString());
        whenOpened = {window->IsClosed(), link->TextColor()};
        return true;
    });
    ClickAt(*window, widget, widget->rect().center());
    EXPECT_EQ(openedUrls, std::vector<QString>(2, QStringView(kMakerPage).toString()));
    EXPECT_EQ(whenOpened, std::pair(false, moves[3].second));
    EXPECT_EQ(std::pair(link->TextColor(), window->IsClosed()), std::pair(kAmber, true));
}

// A screen reader reads every text, the link as a link, which it can press,
// and not the icon beside the program's name.
TEST_F(AboutWindowTest, AScreenReaderReadsItsTextsAndPressesItsLink)
{
    const Ref<AboutWindow> window = Open();
    const auto read = [](const runtime::RectControl &control) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control.Widget());
        return std::tuple(face->role(), face->text(QAccessible::Name), bool(face->state().invisible));
    };
    const std::tuple<Ref<runtime::RectControl>, QAccessible::Role, QString, bool> controls[] = {
        {window->StatAppName(), QAccessible::StaticText, u"Tickora"_s, false},
        {window->StatAppCopyright(), QAccessible::StaticText, u"Copyright © Velmoran Software.\nAlle Rechte vorbehalten."_s, false},
        {window->WebAdresse(), QAccessible::Link, u"Velmoran Software Website"_s, false},
        {window->Canvas1(), QAccessible::Graphic, QString(), true},
    };
    for (const auto &[control, role, name, hidden] : controls)
        EXPECT_EQ(read(*control), std::tuple(role, name, hidden)) << control->Name().toStdString();
    PressAsAReader(window->WebAdresse()->Widget());
    EXPECT_EQ(openedUrls, std::vector<QString>{QStringView(kMakerPage).toString()});
    EXPECT_TRUE(window->IsClosed());
}

TEST_F(AboutWindowTest, AClickOnTheBackgroundOrOnTheIconClosesIt)
{
    for (const QPoint at : {QPoint(140, 5), QPoint(144, 110)}) {
        const Ref<AboutWindow> about = Open();
        ClickAt(*about, about->ContentWidget(), at);
        EXPECT_TRUE(about->IsClosed()) << at.x() << ", " << at.y();
    }
}

} // namespace
} // namespace tickora::testing
