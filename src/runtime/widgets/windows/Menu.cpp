#include "runtime/widgets/windows/Menu.h"

#include "runtime/core/Boundary.h"
#include "runtime/core/Process.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace tickora::runtime {

namespace {

// Never destroyed, like every registry of the runtime (see Process.cpp): an
// exit() from inside the event loop does not take them from the open windows.
MenuCommandHandler &CommandHandler()
{
    static MenuCommandHandler &handler = *new MenuCommandHandler;
    return handler;
}

Ref<MenuBar> &TheApplicationMenuBar()
{
    static Ref<MenuBar> &bar = *new Ref<MenuBar>;
    return bar;
}

} // namespace

void SetMenuCommandHandler(MenuCommandHandler handler) { CommandHandler() = std::move(handler); }

void SetApplicationMenuBar(Ref<MenuBar> bar) { TheApplicationMenuBar() = std::move(bar); }

Ref<MenuBar> ApplicationMenuBar() { return TheApplicationMenuBar(); }

MenuItem::MenuItem() = default;
MenuItem::~MenuItem() = default;

void MenuItem::AddMenu(Ref<MenuItem> item)
{
    CheckUIThread();
    if (!item)
        throw NilObjectException(QStringLiteral("nil menu item added"));
    item->m_parent = this;
    m_children.push_back(std::move(item));
}

Ref<MenuItem> MenuItem::Child(const QString &name) const
{
    CheckUIThread();
    for (const Ref<MenuItem> &child : m_children)
        if (child->m_name == name)
            return child;
    return {};
}

void MenuItem::Constructor() {}

std::int64_t MenuItem::Count() const { return static_cast<std::int64_t>(m_children.size()); }

Ref<MenuItem> MenuItem::Item(std::int64_t index) const
{
    CheckUIThread();
    if (index < 0 || index >= Count())
        return {};
    return m_children[static_cast<std::size_t>(index)];
}

Ref<MenuItem> MenuItem::Lookup(const QString &name) const
{
    CheckUIThread();
    for (const Ref<MenuItem> &child : m_children) {
        if (child->m_name == name)
            return child;
        if (Ref<MenuItem> found = child->Lookup(name))
            return found;
    }
    return {};
}

void MenuItem::SetName(const QString &name)
{
    CheckUIThread();
    m_name = name;
}

void MenuItem::SetText(const QString &text)
{
    CheckUIThread();
    m_text = text;
    UpdateAction();
}

void MenuItem::SetShortcut(const QString &shortcut)
{
    CheckUIThread();
    m_shortcut = shortcut;
    UpdateAction();
}

void MenuItem::SetVisible(bool visible)
{
    CheckUIThread();
    m_visible = visible;
    UpdateAction();
}

void MenuItem::SetAutoEnabled(bool autoEnabled)
{
    CheckUIThread();
    m_autoEnabled = autoEnabled;
}

void MenuItem::SetProperty(std::string_view name, const PropertyValue &value)
{
    static const PropertyTable<MenuItem> table{
        PropertyTable<MenuItem>::Setter("Name", &MenuItem::SetName),
        PropertyTable<MenuItem>::Setter("Text", &MenuItem::SetText),
        PropertyTable<MenuItem>::Setter("Shortcut", &MenuItem::SetShortcut),
        PropertyTable<MenuItem>::Setter("Visible", &MenuItem::SetVisible),
        PropertyTable<MenuItem>::Setter("AutoEnabled", &MenuItem::SetAutoEnabled),
    };
    if (!table.Apply(*this, name, value))
        Object::SetProperty(name, value);
}

QString PortableShortcut(const QString &shortcut)
{
    QString portable = shortcut;
    portable.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"), Qt::CaseInsensitive);
    return portable;
}

QAction *MenuItem::Action()
{
    if (!m_action) {
        m_action = std::make_unique<QAction>();
        // A weak reference: the action may outlive nothing, but an item that is
        // gone must not be dispatched.
        std::weak_ptr<MenuItem> weakSelf = weak_from_this();
        QObject::connect(m_action.get(), &QAction::triggered, [weakSelf] {
            RunCallback([&] {
                std::shared_ptr<MenuItem> item = weakSelf.lock();
                if (!item)
                    return;
                const MenuCommandHandler handler = CommandHandler();
                if (handler && handler(item->m_name))
                    return;
                if (item->MenuRole() == Role::Quit)
                    Quit(0);
            });
        });
#ifdef Q_OS_MACOS
        if (MenuRole() == Role::ApplicationMenu)
            m_action->setMenuRole(QAction::ApplicationSpecificRole);
        else if (MenuRole() == Role::Quit)
            m_action->setMenuRole(QAction::QuitRole);
        else
            m_action->setMenuRole(QAction::NoRole);
#endif
        UpdateAction();
    }
    return m_action.get();
}

void MenuItem::UpdateAction()
{
    if (!m_action)
        return;
    m_action->setText(m_text);
    m_action->setShortcut(QKeySequence(PortableShortcut(m_shortcut), QKeySequence::PortableText));
    m_action->setVisible(m_visible);
}

namespace {

void CollectApplicationMenuItems(MenuItem &item, std::vector<MenuItem *> &appItems,
                                 std::vector<MenuItem *> &quitItems)
{
    for (std::int64_t i = 0; i < item.Count(); ++i) {
        MenuItem &child = *item.Item(i);
        if (child.MenuRole() == MenuItem::Role::ApplicationMenu)
            appItems.push_back(&child);
        else if (child.MenuRole() == MenuItem::Role::Quit)
            quitItems.push_back(&child);
        CollectApplicationMenuItems(child, appItems, quitItems);
    }
}

void AddItems(MenuItem &menu, QMenu *target, bool skipApplicationItems)
{
    for (std::int64_t i = 0; i < menu.Count(); ++i) {
        MenuItem &child = *menu.Item(i);
        if (skipApplicationItems && child.MenuRole() != MenuItem::Role::Plain)
            continue;
        if (child.Count() > 0) {
            QMenu *submenu = target->addMenu(child.Text());
            submenu->menuAction()->setVisible(child.Visible());
            AddItems(child, submenu, skipApplicationItems);
        } else {
            target->addAction(child.Action());
        }
    }
}

// F10 opens the bar's first menu, as in other desktop programs, with its
// first item chosen, as its mnemonic does.
void OpenFirstMenuOnF10(QMenuBar *qtBar)
{
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), qtBar);
    QObject::connect(f10, &QShortcut::activated, qtBar, [qtBar] {
        for (QAction *menuAction : qtBar->actions()) {
            if (!menuAction->isVisible() || !menuAction->isEnabled())
                continue;
            qtBar->setActiveAction(menuAction);
            if (QMenu *menu = menuAction->menu())
                ChooseFirstItem(*menu);
            return;
        }
    });
}

} // namespace

QList<QAction *> ApplicationMenuActions(MenuBar &bar)
{
    std::vector<MenuItem *> appItems;
    std::vector<MenuItem *> quitItems;
    CollectApplicationMenuItems(bar, appItems, quitItems);
    QList<QAction *> actions;
    for (const auto *items : {&appItems, &quitItems})
        for (MenuItem *item : *items)
            actions.push_back(item->Action());
    return actions;
}

QString ApplicationMenuTitle()
{
    // Alt and the name's first letter open it from the keyboard.
    QString title = QCoreApplication::applicationName();
    title.replace(u'&', QLatin1String("&&"));
    return u'&' + title;
}

QMenu *BuildApplicationMenu(MenuBar &bar, QWidget *parent)
{
    std::vector<MenuItem *> appItems;
    std::vector<MenuItem *> quitItems;
    CollectApplicationMenuItems(bar, appItems, quitItems);
    if (appItems.empty() && quitItems.empty())
        return nullptr;
    auto *appMenu = new QMenu(ApplicationMenuTitle(), parent);
    appMenu->setObjectName(QStringLiteral("ApplicationMenu"));
    for (MenuItem *item : appItems)
        appMenu->addAction(item->Action());
    if (!appItems.empty() && !quitItems.empty())
        appMenu->addSeparator();
    for (MenuItem *item : quitItems)
        appMenu->addAction(item->Action());
    return appMenu;
}

void ChooseFirstItem(QMenu &menu)
{
    for (QAction *item : menu.actions())
        if (item->isVisible() && item->isEnabled() && !item->isSeparator()) {
            menu.setActiveAction(item);
            return;
        }
}

QMenuBar *BuildMenuBar(MenuBar &bar, QWidget *parent)
{
    auto *qtBar = new QMenuBar(parent);
    qtBar->setNativeMenuBar(false);
#ifdef Q_OS_MACOS
    qtBar->setNativeMenuBar(true);
    constexpr bool ownApplicationMenu = false;
#else
    constexpr bool ownApplicationMenu = true;
#endif
    if (ownApplicationMenu)
        if (QMenu *appMenu = BuildApplicationMenu(bar, qtBar))
            qtBar->addMenu(appMenu);
    for (std::int64_t i = 0; i < bar.Count(); ++i) {
        MenuItem &menu = *bar.Item(i);
        if (ownApplicationMenu && !menu.Visible())
            continue;
        QMenu *qtMenu = qtBar->addMenu(menu.Text());
        qtMenu->menuAction()->setVisible(menu.Visible());
        AddItems(menu, qtMenu, ownApplicationMenu);
    }
    if (ownApplicationMenu)
        OpenFirstMenuOnF10(qtBar);
    return qtBar;
}

} // namespace tickora::runtime
