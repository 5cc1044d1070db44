// The donation window: its look, its single instance and its three buttons.
#include "support/RuntimeFixture.h"

#include "dialogs/Donation.h"
#include "dialogs/WebPages.h"
#include "stopwatch/main.h"

#include <QRegularExpression>
#include <QTest>
#include <QUrlQuery>
#include <QWidget>
#include <QWindow>

#include <functional>

namespace tickora::testing {
namespace {

using runtime::Ref;

const QString kDonationAddress = QStringView(kDonationPage).toString();

class DonationWindow : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = Donation::Instance();
        window->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));
    }
    void TearDown() override
    {
        window = nullptr;
        RuntimeFixture::TearDown();
    }
    // Through the platform window, which finds the button under the pointer itself.
    void Click(const runtime::RectControl &button)
    {
        QTest::mouseClick(window->Widget()->windowHandle(), Qt::LeftButton, {},
                          button.Widget()->mapTo(window->Widget(), QPoint(40, 10)));
    }

    Ref<Donation> window;
};

TEST_F(DonationWindow, IsAFixedLightBlueWindowWithItsTitleAndThreeButtons)
{
    EXPECT_EQ(window->Title(), QStringLiteral("Donation"));
    EXPECT_EQ(window->Widget()->size(), QSize(373, 300));
    EXPECT_EQ(window->Widget()->minimumSize(), window->Widget()->maximumSize());
    EXPECT_EQ(window->BackgroundColor(), runtime::RGB(91, 177, 240));
    EXPECT_EQ(window->Widget()->windowFlags()
                  & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
              Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window->StaticText1()->Text(), QStringLiteral("Tickora 2.0"));
    EXPECT_TRUE(window->StaticText1()->Font().Bold);
    EXPECT_EQ(window->StaticText1()->Widget()->geometry(), QRect(136, 23, 100, 20));
    const std::tuple<Ref<runtime::PushButton>, const char *, int, bool> buttons[] = {
        {window->PushButton1(), "Weiter", 39, false},
        {window->PushButton2(), "Spende", 148, true},
        {window->PushButton3(), "Beenden", 252, false},
    };
    for (const auto &[button, caption, left, isDefault] : buttons) {
        EXPECT_EQ(button->Caption(), QString::fromLatin1(caption));
        EXPECT_EQ(button->Widget()->geometry(), QRect(left, 249, 80, 20)) << caption;
        EXPECT_EQ(button->Default(), isDefault) << caption;
        EXPECT_FALSE(button->Cancel()) << caption;
    }
}

TEST_F(DonationWindow, FreewareNoteIsTheExactTextWithOneHardBreakAfterTheFirstSentence)
{
    const auto note = window->StaticText2();
    EXPECT_EQ(note->Text().size(), 237);
    EXPECT_EQ(note->Text(),
              QStringLiteral("Dieses Programm ist Freeware.\rTrotzdem wäre ich über eine kleine Spende dankbar. "
                             "Über den Spendenbutton gelangt ihr auf die Seite, wo es die Möglichkeit gibt, über "
                             "PayPal eine Spende schnell und unkompliziert zu leisten. Vielen Dank,  MK"));
    EXPECT_EQ(note->Text().count(QChar(13)), 1);
    EXPECT_TRUE(note->Multiline());
    EXPECT_EQ(note->Widget()->geometry(), QRect(39, 71, 292, 137));
}

TEST_F(DonationWindow, OneWindowWhileOpenAndAFreshOneAfterTheTitleBarClosesIt)
{
    window->StaticText1()->SetText(QStringLiteral("changed"));
    EXPECT_TRUE(Donation::Instance() == window);
    window->Widget()->close();
    EXPECT_TRUE(window->IsClosed());
    const Ref<Donation> fresh = Donation::Instance();
    EXPECT_FALSE(fresh == window);
    EXPECT_EQ(fresh->StaticText1()->Text(), QStringLiteral("Tickora 2.0"));
}

TEST_F(DonationWindow, SpendeOpensTheDonationPageBeforeQuittingAndBeendenOnlyQuits)
{
    bool quitBeforePage = false;
    runtime::SetUrlOpener([&](const QUrl &url) {
        openedUrls.push_back(url.toString());
        quitBeforePage = !quitCodes.empty();
        return true;
    });
    const std::tuple<const char *, std::function<void()>, std::vector<QString>> presses[] = {
        {"Spende", [&] { Click(*window->PushButton2()); }, {kDonationAddress}},
        {"Return", [&] { QTest::keyClick(window->Widget(), Qt::Key_Return); }, {kDonationAddress}},
        {"Beenden", [&] { Click(*window->PushButton3()); }, {}},
    };
    for (const auto &[name, press, pages] : presses) {
        SCOPED_TRACE(name);
        openedUrls.clear();
        quitCodes.clear();
        press();
        EXPECT_EQ(openedUrls, pages);
        EXPECT_EQ(quitCodes, std::vector<int>{0});
        EXPECT_FALSE(quitBeforePage);
    }
}

TEST_F(DonationWindow, SpendeWithoutABrowserKeepsProgramAndWindowAndReportsNoFailure)
{
    urlOpenerSucceeds = false;
    ::testing::internal::CaptureStderr();
    Click(*window->PushButton2());
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(openedUrls, std::vector<QString>{kDonationAddress});
    EXPECT_TRUE(quitCodes.empty());
    EXPECT_EQ(errors.find("Unhandled"), std::string::npos) << errors;
    EXPECT_TRUE(window->Widget()->isVisible());
}

TEST_F(DonationWindow, WeiterClosesOnlyTheDonationWindowWhileTheStopwatchCounts)
{
    const Ref<main> stopwatch = main::Instance();
    stopwatch->cStart_MouseDown(*stopwatch->cStart(), 1, 1);
    Click(*window->PushButton1());
    EXPECT_TRUE(window->IsClosed());
    EXPECT_TRUE(runtime::Window::GetImplicitWindow(Donation::ClassInfo().Name).IsNil());
    EXPECT_TRUE(stopwatch->Widget()->isVisible());
    AdvanceSeconds(2);
    EXPECT_EQ(stopwatch->sec()->Text(), QStringLiteral("02"));
    EXPECT_TRUE(quitCodes.empty());
    EXPECT_TRUE(openedUrls.empty());
}

TEST(WebPages, DonationPageIsPayPalsDonateServiceWithOurButtonOverHttps)
{
    const QUrl donation(kDonationAddress, QUrl::StrictMode);
    EXPECT_EQ(donation.scheme() + donation.host() + donation.path(), QStringLiteral("httpswww.paypal.com/donate"));
    const QString button = QUrlQuery(donation).queryItemValue(QStringLiteral("hosted_button_id"));
    EXPECT_EQ(button, QStringView(kDonationButtonId).toString());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z0-9]{13}$")).match(button).hasMatch());
    EXPECT_EQ(QUrl(QStringView(kMakerPage).toString(), QUrl::StrictMode).scheme(), QStringLiteral("https"));
}

} // namespace
} // namespace tickora::testing
