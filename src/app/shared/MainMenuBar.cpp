#include "app/shared/MainMenuBar.h"

namespace tickora {

using runtime::Ref;

namespace {

// Items get their properties in one fixed order: Name, AutoEnabled, Text, Visible, Shortcut.
template <class Item>
Ref<Item> MakeItem(const QString &name, const QString &text, bool visible, const QString &shortcut)
{
    Ref<Item> item = runtime::NewObject<Item>();
    item->Constructor();
    item->SetName(name);
    item->SetAutoEnabled(true);
    item->SetText(text);
    item->SetVisible(visible);
    item->SetShortcut(shortcut);
    return item;
}

// Kept until the process ends and never destroyed, so that an exit() from
// inside the event loop does not take the menu away from windows still open.
Ref<MainMenuBar> &SharedInstance()
{
    static Ref<MainMenuBar> &instance = *new Ref<MainMenuBar>;
    return instance;
}

} // namespace

void MainMenuBar::Constructor()
{
    Untitled0();
    Untitled1();
}

void MainMenuBar::Untitled0()
{
    const QString fileMenu = QStringLiteral("FileMenu");
    AddMenu(MakeItem<runtime::MenuItem>(fileMenu, QStringLiteral("&File"), false, {}));
    // The File menu is looked up afresh for every item; none holds on to it.
    Child(fileMenu)->AddMenu(MakeItem<runtime::AppleMenuItem>(
        QStringLiteral("AppleInfo"), QStringLiteral("Information"), true, QStringLiteral("Cmd+I")));
    Child(fileMenu)->AddMenu(
        MakeItem<runtime::AppleMenuItem>(QStringLiteral("AppleSpende"), QStringLiteral("Spende"), true, {}));
    Child(fileMenu)->AddMenu(MakeItem<runtime::QuitMenuItem>(
        QStringLiteral("FileQuit"), QStringLiteral("&Quit"), true, QStringLiteral("Cmd+Q")));
}

void MainMenuBar::Untitled1()
{
    AddMenu(MakeItem<runtime::MenuItem>(QStringLiteral("EditMenu"), {}, false, {}));
}

Ref<MainMenuBar> MainMenuBar::Instance()
{
    Ref<MainMenuBar> &shared = SharedInstance();
    if (shared)
        return shared;
    Ref<MainMenuBar> bar = runtime::NewObject<MainMenuBar>();
    bar->Constructor();
    shared = bar;
    return bar;
}

} // namespace tickora
