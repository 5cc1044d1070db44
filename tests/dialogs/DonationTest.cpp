// The donation window: its look, its three buttons and the page it opens.
#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"

#include "dialogs/Donation.h"
#include "dialogs/WebPages.h"
#include "stopwatch/main.h"

#include <QRegularExpression>
#include <QUrlQuery>

#include <functional>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Ref;

const QString kDonationAddress = QStringView(kDonationPage).toString();

// What the "Spende" command does.
Ref<Donation> Open()
{
    Ref<Donation> donation = Donation::Instance();
    EXPECT_TRUE(ShowExposed(*donation));
    return donation;
}

// Through the platform window, which finds the button under the pointer itself.
void Click(const Ref<runtime::PushButton> &button) { ClickAt(*button->Window(), button->Widget(), QPoint(40, 10)); }

class DonationWindow : public RuntimeFixture {};

// A fixed light blue window with a close and a minimise button, the freeware
// note (one hard break after the first sentence) and Spende as the default.
TEST_F(DonationWindow, IsAFixedLightBlueWindowWithItsNoteAndThreeButtons)
{
    const Ref<Donation> window = Open();
    const QWidget *frame = window->Widget();
    EXPECT_EQ(std::tuple(window->Title(), frame->size(), frame->maximumSize(), window->BackgroundColor()),
              std::tuple(u"Donation"_s, QSize(373, 300), frame->minimumSize(), runtime::RGB(91, 177, 240)));
    EXPECT_EQ(frame->windowFlags()
                  & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
              Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window->StaticText1()->Text(), u"Tickora 2.0"_s);
    const QString note = window->StaticText2()->Text();
    EXPECT_EQ(note, u"Dieses Programm ist Freeware.\rTrotzdem wäre ich über eine kleine Spende dankbar. Über den "
                    u"Spendenbutton gelangt ihr auf die Seite, wo es die Möglichkeit gibt, über PayPal eine Spende "
                    u"schnell und unkompliziert zu leisten. Vielen Dank,  MK"_s);
    EXPECT_EQ(std::pair(note.size(), note.count(u'\r')), std::pair(qsizetype{237}, qsizetype{1}));
    const std::tuple<Ref<runtime::PushButton>, QString, bool> buttons[] = {
        {window->PushButton1(), u"Weiter"_s, false},
        {window->PushButton2(), u"Spende"_s, true},
        {window->PushButton3(), u"Beenden"_s, false},
    };
    for (const auto &[button, caption, isDefault] : buttons)
        EXPECT_EQ(std::pair(button->Caption(), button->Default()), std::pair(caption, isDefault));
}

// Spende, by click or by Return, opens exactly the donation page and only then
// quits; Beenden quits without a page. A page that cannot be opened keeps the
// program and the window, and is not reported as a failure either, which
// would end the program with the failure's code.
TEST_F(DonationWindow, SpendeOpensTheDonationPageBeforeQuittingAndBeendenOnlyQuits)
{
    const Ref<Donation> window = Open();
    bool quitBeforePage = false;
    runtime::SetUrlOpener([&](const QUrl &url) {
        openedUrls.push_back(url.toString());
        quitBeforePage = !quitCodes.empty();
        return urlOpenerSucceeds;
    });
    const std::vector<QString> page{kDonationAddress};
    const std::tuple<const char *, bool, std::function<void()>, std::vector<QString>, std::vector<int>> presses[] = {
        {"Spende", true, [&] { Click(window->PushButton2()); }, page, {0}},
        // Qt's button shows its press for a moment before it acts.
        {"Spende through a screen reader", true, [&] {
             PressAsAReader(window->PushButton2()->Widget());
             EXPECT_TRUE(QTest::qWaitFor([&] { return !quitCodes.empty(); }));
         }, page, {0}},
        {"Return", true, [&] { QTest::keyClick(window->Widget(), Qt::Key_Return); }, page, {0}},
        {"Beenden", true, [&] { Click(window->PushButton3()); }, {}, {0}},
        {"Spende, no browser", false, [&] { Click(window->PushButton2()); }, page, {}},
    };
    for (const auto &[name, pageOpens, press, pages, quits] : presses) {
        SCOPED_TRACE(name);
        urlOpenerSucceeds = pageOpens;
        openedUrls.clear();
        quitCodes.clear();
        shownMessages.clear();
        press();
        EXPECT_EQ(std::pair(openedUrls, quitCodes), std::pair(pages, quits));
        // Only the page that did not open is reported, with its address.
        EXPECT_EQ(shownMessages.size(), pageOpens || pages.empty() ? 0u : 1u);
        for (const QString &message : shownMessages)
            EXPECT_TRUE(message.contains(kDonationAddress)) << message.toStdString();
        EXPECT_FALSE(quitBeforePage);
        EXPECT_TRUE(window->Widget()->isVisible());
    }
}

TEST_F(DonationWindow, WeiterClosesOnlyTheDonationWindow)
{
    const Ref<main> stopwatch = main::Instance();
    const Ref<Donation> window = Open();
    Click(window->PushButton1());
    EXPECT_TRUE(window->IsClosed());
    EXPECT_FALSE(stopwatch->IsClosed());
    EXPECT_TRUE(quitCodes.empty() && openedUrls.empty());
}

TEST(WebPages, DonationPageIsPayPalsDonateServiceWithOurButtonOverHttps)
{
    const QUrl donation(kDonationAddress, QUrl::StrictMode);
    EXPECT_EQ(donation.scheme() + u"://"_s + donation.host() + donation.path(), u"https://www.paypal.com/donate"_s);
    const QString button = QUrlQuery(donation).queryItemValue(u"hosted_button_id"_s);
    EXPECT_TRUE(QRegularExpression(u"^[A-Z0-9]{13}$"_s).match(button).hasMatch()) << button.toStdString();
}

} // namespace
} // namespace tickora::testing
