#include "runtime/widgets/windows/MenuKeys.h"

#include "runtime/widgets/windows/Menu.h"

#include <QMenu>
#include <QShortcut>
#include <QWidget>

namespace tickora::runtime {

ApplicationMenuKeys::ApplicationMenuKeys(QWidget &window, QWidget &content) : m_window(&window), m_content(&content)
{
#ifndef Q_OS_MACOS
    for (const QKeySequence &keys :
         {QKeySequence(Qt::Key_F10), QKeySequence::mnemonic(ApplicationMenuTitle())}) {
        if (keys.isEmpty())
            continue;
        auto *shortcut = new QShortcut(keys, &window);
        QObject::connect(shortcut, &QShortcut::activated, shortcut, [this] { PopUp(); });
        m_keys.emplace_back(shortcut);
    }
#endif
}

void ApplicationMenuKeys::SetEnabled(bool enabled)
{
    for (const QPointer<QShortcut> &keys : m_keys)
        if (keys)
            keys->setEnabled(enabled);
}

void ApplicationMenuKeys::PopUp()
{
    const Ref<MenuBar> bar = ApplicationMenuBar();
    if (!bar || !m_window || !m_content)
        return;
    // Built afresh from the application's menu bar each time, from the very
    // actions the bar's menu shows, so an item chosen here runs once, as there.
    QMenu *menu = BuildApplicationMenu(*bar, m_window);
    if (!menu)
        return;
    // However it goes away (an item, Escape, a click elsewhere), it goes;
    // later, as the item it hides for has yet to run.
    QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->popup(m_content->mapToGlobal(QPoint(0, 0)));
    ChooseFirstItem(*menu);
}

} // namespace tickora::runtime
