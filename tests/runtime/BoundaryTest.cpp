#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/Boundary.h"
#include "runtime/Canvas.h"
#include "runtime/Label.h"
#include "runtime/Menu.h"
#include "runtime/Timer.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Ref;

enum class Thrown { NilObject, StdRuntimeError, NonStandard };

struct EscapeCase {
    const char *name;
    bool programHelper;
    Thrown thrown;
    const char *reported;
};

void PrintTo(const EscapeCase &c, std::ostream *os) { *os << c.name; }

void Throw(Thrown kind)
{
    switch (kind) {
    case Thrown::NilObject:
        throw runtime::NilObjectException(u"lamp picture is nil"_s);
    case Thrown::StdRuntimeError:
        throw std::runtime_error("lap list is full");
    case Thrown::NonStandard:
        throw 42;
    }
}

// What escapes a handler ends at the call-back boundary: reported with its
// class on stderr, and the program asked to end with the failure's own code,
// with or without the wrapper the program installs.
class EscapingException : public RuntimeFixture, public ::testing::WithParamInterface<EscapeCase> {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        if (GetParam().programHelper)
            runtime::RuntimeSetExceptionHelper(&runtime::CallFunctionWithExceptionHandling);
    }
    void TearDown() override
    {
        runtime::RuntimeSetExceptionHelper({});
        RuntimeFixture::TearDown();
    }
};

TEST_P(EscapingException, FromAMouseDownHandlerIsReportedAndEndsTheProgram)
{
    const EscapeCase &c = GetParam();
    Ref<runtime::Canvas> canvas;
    auto window = TestWindow::Make(
        [&](TestWindow &w) { canvas = AddNamed<runtime::Canvas>(w, u"lamp"_s, {{"Width", 30}, {"Height", 30}}); });
    bool handlerRan = false;
    canvas->MouseDown.AddHandler([&](runtime::Canvas &, std::int64_t, std::int64_t) -> bool {
        handlerRan = true;
        Throw(c.thrown);
        return true;
    });

    ::testing::internal::CaptureStderr();
    try {
        QTest::mouseClick(canvas->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    } catch (...) {
        ADD_FAILURE() << "the exception escaped into Qt's call-back";
    }
    const std::string report = ::testing::internal::GetCapturedStderr();

    EXPECT_TRUE(handlerRan);
    EXPECT_NE(report.find(c.reported), std::string::npos) << report;
    EXPECT_EQ(quitCodes, std::vector<int>{runtime::kUnhandledExceptionExitCode});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EscapingException,
    ::testing::Values(EscapeCase{"Runtime", false, Thrown::NilObject, "NilObjectException"},
                      EscapeCase{"Std", false, Thrown::StdRuntimeError, "std::runtime_error"},
                      EscapeCase{"RuntimeThroughProgramHelper", true, Thrown::NilObject, "NilObjectException"},
                      EscapeCase{"StdThroughProgramHelper", true, Thrown::StdRuntimeError, "std::runtime_error"},
                      EscapeCase{"NonStandard", false, Thrown::NonStandard, "Unhandled"}));

TEST(CallBoundary, CallFunctionWithExceptionHandlingReturnsRuntimeExceptionsOnly)
{
    EXPECT_EQ(runtime::CallFunctionWithExceptionHandling([] {}), nullptr);

    const std::exception_ptr caught = runtime::CallFunctionWithExceptionHandling(
        [] { throw runtime::KeyNotFoundException(u"no such control"_s); });
    ASSERT_NE(caught, nullptr);
    EXPECT_THROW(std::rethrow_exception(caught), runtime::KeyNotFoundException);

    EXPECT_THROW(runtime::CallFunctionWithExceptionHandling([] { throw std::runtime_error("other"); }),
                 std::runtime_error);
}

class OtherThread : public RuntimeFixture {};

// Each operation runs on a thread of its own, must raise there, and changes nothing.
TEST_F(OtherThread, TouchingTheUserInterfaceRaisesThreadAccessingUI)
{
    Ref<runtime::Label> label;
    Ref<runtime::Timer> timer;
    auto window = TestWindow::Make([&](TestWindow &w) {
        w.SetTitle(u"before"_s);
        label = AddNamed<runtime::Label>(w, u"label"_s, {{"Text", u"before"_s}});
        timer = AddNamed<runtime::Timer>(w, u"timer"_s);
    });
    auto item = MakeMenuItem(u"item"_s, u"before"_s);
    const std::vector<std::pair<const char *, std::function<void()>>> operations{
        {"Label.SetText", [&] { label->SetText(u"after"_s); }},
        {"Label.Text", [&] { static_cast<void>(label->Text()); }},
        {"Label list", [&] { runtime::SetProperties(*label, {{"Text", u"after"_s}}); }},
        {"Window.SetTitle", [&] { window->SetTitle(u"after"_s); }},
        {"Window.Close", [&] { window->Close(); }},
        {"Timer.SetEnabled", [&] { timer->SetEnabled(false); }},
        {"MenuItem.SetText", [&] { item->SetText(u"after"_s); }},
        {"Event.AddHandler", [&] { label->Open.AddHandler([](runtime::Label &) {}); }},
    };
    for (const auto &[name, operation] : operations) {
        bool raised = false;
        std::thread([&] {
            try {
                operation();
            } catch (const runtime::ThreadAccessingUIException &) {
                raised = true;
            } catch (...) {
            }
        }).join();
        EXPECT_TRUE(raised) << name;
    }

    EXPECT_EQ(label->Text(), u"before"_s);
    EXPECT_EQ(window->Title(), u"before"_s);
    EXPECT_FALSE(window->IsClosed());
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(item->Text(), u"before"_s);
    EXPECT_FALSE(label->Open.IsAttached());
    EXPECT_TRUE(quitCodes.empty());
}

} // namespace
} // namespace tickora::testing
