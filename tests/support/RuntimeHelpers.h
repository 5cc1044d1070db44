#pragma once


#include "runtime/widgets/windows/Menu.h"
#include "runtime/core/Properties.h"
#include "runtime/widgets/windows/Window.h"

#include <QAccessible>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace tickora::testing {

// A control made for the window the way the program makes its own: created,
// constructed, added under its name, and only then given its property list.
template <class T>
runtime::Ref<T> AddNamed(runtime::Window &window, const QString &name, const runtime::PropertyList &list = {})
{
    runtime::Ref<T> control = window.New<T>();
    control->Constructor();
    window.AddControl(name, control);
    runtime::SetProperties(*control, list);
    return control;
}

// Shows the window and waits until the platform has put it on screen.
inline bool ShowExposed(runtime::Window &window)
{
    window.Show();
    return QTest::qWaitForWindowExposed(window.Widget());
}

// A click as the pointer gives it, at a point of `widget`: the platform window
// finds the widget under the point itself, so a hidden widget is never hit.
inline void ClickAt(const runtime::Window &window, const QWidget *widget, QPoint at)
{
    QTest::mouseClick(window.Widget()->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window.Widget(), at));
}

// What a screen reader's press does, as AT-SPI's DoAction asks it.
inline void PressAsAReader(QObject *widget)
{
    QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(widget)->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::pressAction());
}

// The menu tree the program installs, set up in the program's order: a hidden
// File menu whose items belong in the application menu, and a hidden, empty Edit menu.
inline runtime::Ref<runtime::MenuBar> ProgramLikeMenuBar()
{
    using namespace runtime;
    auto item = [](Ref<MenuItem> made, const char *name, const char *text, bool visible, const char *shortcut = "") {
        made->Constructor();
        SetProperties(*made, {{"Name", QString::fromLatin1(name)}, {"Text", QString::fromLatin1(text)},
                              {"Visible", visible}, {"Shortcut", QString::fromLatin1(shortcut)}});
        return made;
    };
    auto file = item(NewObject<MenuItem>(), "FileMenu", "&File", false);
    file->AddMenu(item(NewObject<AppleMenuItem>(), "AppleInfo", "Information", true, "Cmd+I"));
    file->AddMenu(item(NewObject<AppleMenuItem>(), "AppleSpende", "Spende", true));
    file->AddMenu(item(NewObject<QuitMenuItem>(), "FileQuit", "&Quit", true, "Cmd+Q"));
    auto bar = NewObject<MenuBar>();
    bar->AddMenu(file);
    bar->AddMenu(item(NewObject<MenuItem>(), "EditMenu", "", false));
    return bar;
}

} // namespace tickora::testing
