#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"

#include "runtime/Application.h"
#include "runtime/Menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <memory>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::MenuItem;
using runtime::Ref;

TEST(MenuTree, AddMenuAppendsAsLastChild)
{
    auto menu = MakeMenuItem(u"menu"_s, u"Menu"_s);
    for (const QString &name : {u"a"_s, u"b"_s, u"c"_s})
        menu->AddMenu(MakeMenuItem(name, name));
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(menu->Item(0)->Name(), u"a"_s);
    EXPECT_EQ(menu->Item(2)->Name(), u"c"_s);
    EXPECT_EQ(menu->Item(2)->Parent(), menu.Get());
    EXPECT_TRUE(menu->Item(3).IsNil());
    EXPECT_THROW(menu->AddMenu(nullptr), runtime::NilObjectException);
    EXPECT_EQ(menu->Count(), 3);
}

TEST(MenuTree, ChildFindsDirectChildrenOnlyAndLookupAnyDepth)
{
    auto bar = ProgramLikeMenuBar();
    auto file = bar->Child(u"FileMenu"_s);
    ASSERT_FALSE(file.IsNil());
    EXPECT_TRUE(file == bar->Item(0));
    EXPECT_TRUE(bar->Child(u"FileQuit"_s).IsNil());

    auto quit = bar->Lookup(u"FileQuit"_s);
    EXPECT_TRUE(quit == file->Child(u"FileQuit"_s));
    EXPECT_EQ(quit->MenuRole(), MenuItem::Role::Quit);
    EXPECT_TRUE(bar->Lookup(u"EditMenu"_s) == bar->Item(1));
    EXPECT_TRUE(bar->Lookup(u"nothing"_s).IsNil());
}

class PortableShortcuts : public ::testing::TestWithParam<std::pair<QString, QString>> {};

TEST_P(PortableShortcuts, TurnTheCommandKeyIntoControl)
{
    EXPECT_EQ(runtime::PortableShortcut(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Texts, PortableShortcuts,
                         ::testing::Values(std::pair{u"Cmd+I"_s, u"Ctrl+I"_s}, std::pair{u"Cmd+Q"_s, u"Ctrl+Q"_s},
                                           std::pair{u"Cmd+Shift+S"_s, u"Ctrl+Shift+S"_s},
                                           std::pair{u"Alt+F4"_s, u"Alt+F4"_s}, std::pair{QString(), QString()}));

// The Qt menu bar that the program's tree turns into on a platform without an
// application menu of its own.
class BuiltMenuBar : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        bar = ProgramLikeMenuBar();
        qtBar.reset(runtime::BuildMenuBar(*bar, nullptr));
        for (QAction *action : qtBar->actions())
            if (action->isVisible())
                visibleMenus.push_back(action);
    }

    QAction *ItemAction(const QString &name) const { return bar->Lookup(name)->Action(); }

    Ref<runtime::MenuBar> bar;
    std::unique_ptr<QMenuBar> qtBar;
    std::vector<QAction *> visibleMenus;
};

TEST_F(BuiltMenuBar, HasOnlyTheApplicationMenuHoldingTheItemsWithTheirShortcuts)
{
    ASSERT_EQ(visibleMenus.size(), 1u);
    EXPECT_EQ(visibleMenus.front()->text(), u"Tickora"_s);
    QMenu *menu = visibleMenus.front()->menu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction *> items = menu->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), u"Information"_s);
    EXPECT_EQ(items[1]->text(), u"Spende"_s);
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), u"&Quit"_s);
    EXPECT_EQ(items[0]->shortcut(), QKeySequence(u"Ctrl+I"_s));
    EXPECT_TRUE(items[1]->shortcut().isEmpty());
    EXPECT_EQ(items[3]->shortcut(), QKeySequence(u"Ctrl+Q"_s));

    // The menu shows the items' own actions, so a change to an item shows at once.
    EXPECT_EQ(items[0], ItemAction(u"AppleInfo"_s));
    bar->Lookup(u"AppleSpende"_s)->SetText(u"Donate"_s);
    EXPECT_EQ(items[1]->text(), u"Donate"_s);
}

class TestApplication : public runtime::Application {};

struct CommandCase {
    const char *name;
    const char *item;
    bool bound, handled;
    std::vector<int> quitCodes;
};

void PrintTo(const CommandCase &c, std::ostream *os) { *os << c.name; }

class MenuCommand : public BuiltMenuBar, public ::testing::WithParamInterface<CommandCase> {};

// A handler of the application that answers True has taken the command;
// otherwise the quit item quits, and any other item does nothing.
TEST_P(MenuCommand, RunsTheApplicationsHandlerAndQuitsOnlyWhenUntaken)
{
    const CommandCase &c = GetParam();
    auto app = runtime::NewObject<TestApplication>();
    runtime::RuntimeRegisterAppObject(app);
    int runs = 0;
    if (c.bound) {
        app->AddMenuHandler(QString::fromLatin1(c.item), [&] {
            ++runs;
            return c.handled;
        });
    }
    ItemAction(QString::fromLatin1(c.item))->trigger();
    EXPECT_EQ(runs, c.bound ? 1 : 0);
    EXPECT_EQ(quitCodes, c.quitCodes);
}

INSTANTIATE_TEST_SUITE_P(Handlers, MenuCommand,
                         ::testing::Values(CommandCase{"InfoHandled", "AppleInfo", true, true, {}},
                                           CommandCase{"InfoUnbound", "AppleInfo", false, false, {}},
                                           CommandCase{"QuitUnbound", "FileQuit", false, false, {0}},
                                           CommandCase{"QuitTaken", "FileQuit", true, true, {}},
                                           CommandCase{"QuitDeclined", "FileQuit", true, false, {0}}));

} // namespace
} // namespace tickora::testing
