#include "support/RuntimeFixture.h"
#include "support/TestWindow.h"

#include "runtime/Label.h"

namespace tickora::testing {
namespace {

class WindowSmoke : public RuntimeFixture {};

TEST_F(WindowSmoke, ControlAddedUnderItsNameIsFoundAgain)
{
    auto window = TestWindow::Make([](TestWindow &w) {
        auto label = w.New<runtime::Label>();
        label->Constructor();
        w.AddControl(QStringLiteral("caption"), label);
    });
    auto found = window->ControlAs<runtime::Label>(QStringLiteral("caption"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Name(), QStringLiteral("caption"));
    EXPECT_FALSE(window->ControlByName(QStringLiteral("missing")));
}

} // namespace
} // namespace tickora::testing
