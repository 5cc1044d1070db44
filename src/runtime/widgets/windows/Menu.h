#pragma once

#include "runtime/core/Properties.h"
#include "runtime/core/Ref.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tickora::runtime {

// A menu command bound by item name; returns True when it handled the command.
using MenuHandler = std::function<bool()>;

// A menu item, or a menu when it has children. Items are found by name, which
// is how the program binds handlers to them.
class MenuItem : public Object, public std::enable_shared_from_this<MenuItem> {
public:
    // Where the platform shows an item: in its place, in the application menu,
    // or as the application menu's quit item.
    enum class Role { Plain, ApplicationMenu, Quit };

    MenuItem();
    ~MenuItem() override;

    // The runtime's operations that the program uses, in the runtime's order.
    virtual void AddMenu(Ref<MenuItem> item);
    virtual Ref<MenuItem> Child(const QString &name) const;
    virtual void Constructor();
    virtual std::int64_t Count() const;
    virtual Ref<MenuItem> Item(std::int64_t index) const;
    virtual Ref<MenuItem> Lookup(const QString &name) const;

    QString Name() const { return m_name; }
    void SetName(const QString &name);
    QString Text() const { return m_text; }
    void SetText(const QString &text);
    // As the program writes it: "Cmd+I" is the platform's command key (Ctrl here).
    QString Shortcut() const { return m_shortcut; }
    void SetShortcut(const QString &shortcut);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool AutoEnabled() const { return m_autoEnabled; }
    void SetAutoEnabled(bool autoEnabled);

    virtual Role MenuRole() const { return Role::Plain; }
    MenuItem *Parent() const { return m_parent; }

    void SetProperty(std::string_view name, const PropertyValue &value) override;

    // The Qt action that stands for this item in every menu bar built from it.
    QAction *Action();

private:
    void UpdateAction();

    QString m_name;
    QString m_text;
    QString m_shortcut;
    bool m_visible = true;
    bool m_autoEnabled = true;
    MenuItem *m_parent = nullptr;
    std::vector<Ref<MenuItem>> m_children;
    std::unique_ptr<QAction> m_action;
};

// An item that the platform shows in the application menu, wherever it is placed.
class AppleMenuItem : public MenuItem {
public:
    Role MenuRole() const override { return Role::ApplicationMenu; }
};

// The application menu's quit item; unless a handler takes the command, it quits.
class QuitMenuItem : public MenuItem {
public:
    Role MenuRole() const override { return Role::Quit; }
};

class MenuBar : public MenuItem {};

// Builds the Qt menu bar that shows `bar` inside a window. macOS moves the
// application-menu and quit items into its own application menu by their
// roles; elsewhere there is no application menu, so the bar gets one of its
// own (BuildApplicationMenu); Alt with the name's first letter, or F10, opens it.
QMenuBar *BuildMenuBar(MenuBar &bar, QWidget *parent);

// The application menu where the platform has none: named after the
// application, holding exactly the application-menu items of `bar`, then its
// quit items. Nil when `bar` has none of either.
QMenu *BuildApplicationMenu(MenuBar &bar, QWidget *parent);
// Its title, with the mnemonic on the name's first letter.
QString ApplicationMenuTitle();
// Chooses the first item that can be chosen, as opening a menu from the
// keyboard does, so Down and Return go on from there in every window alike.
void ChooseFirstItem(QMenu &menu);

// The actions of the application-menu and quit items. The runtime adds them
// to every window, with or without a menu bar, so their shortcuts work from
// any window of the program, as from a global menu. They are the very actions
// the menus show: one shortcut each, never two that Qt would call ambiguous.
QList<QAction *> ApplicationMenuActions(MenuBar &bar);

// Who takes a chosen item's command, by the item's name; true when taken. The
// application installs one (the active window's handlers, then its own). An
// item whose command nobody takes does nothing, unless it is a quit item: it quits.
using MenuCommandHandler = std::function<bool(const QString &itemName)>;
void SetMenuCommandHandler(MenuCommandHandler handler);

// The menu bar of the registered application: its application-menu and quit
// items are reachable from every window (ApplicationMenuActions). Nil before
// one is registered.
void SetApplicationMenuBar(Ref<MenuBar> bar);
Ref<MenuBar> ApplicationMenuBar();

// Converts the program's shortcut text to Qt's portable form ("Cmd+Q" -> "Ctrl+Q").
QString PortableShortcut(const QString &shortcut);

} // namespace tickora::runtime
