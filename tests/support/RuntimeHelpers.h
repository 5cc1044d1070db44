#pragma once

#include "support/QtPrinters.h"

#include "runtime/Menu.h"
#include "runtime/Properties.h"
#include "runtime/Window.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
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

// Shows the window and waits until the platform has put it on screen, so
// that input can be sent to it as the platform would.
inline bool ShowExposed(runtime::Window &window)
{
    window.Show();
    return QTest::qWaitForWindowExposed(window.Widget());
}

// Points of the content area, as the platform's window sees them: below the
// in-window menu bar, if there is one.
inline QPoint WindowPoint(const runtime::Window &window, QPoint inContent)
{
    return window.ContentWidget()->mapTo(window.Widget(), inContent);
}

// Input through the platform window, which finds the widget under the point
// itself; hidden widgets and widgets without mouse tracking are skipped just
// as they would be for a real pointer.
inline void ClickInWindow(const runtime::Window &window, QPoint inContent)
{
    QTest::mouseClick(window.Widget()->windowHandle(), Qt::LeftButton, {}, WindowPoint(window, inContent));
}

inline void MoveInWindow(const runtime::Window &window, QPoint inContent)
{
    QTest::mouseMove(window.Widget()->windowHandle(), WindowPoint(window, inContent));
}

// The offscreen platform has no pointer that could cross a widget's edge.
inline void SendEnter(QWidget *widget, QPoint at = {})
{
    QEnterEvent event(at, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &event);
}

inline void SendLeave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

inline void SendMove(QWidget *widget, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A menu item set up in the order the program sets its items up.
template <class Item = runtime::MenuItem>
runtime::Ref<Item> MakeMenuItem(const QString &name, const QString &text, bool visible = true,
                                const QString &shortcut = {})
{
    runtime::Ref<Item> item = runtime::NewObject<Item>();
    item->Constructor();
    item->SetName(name);
    item->SetAutoEnabled(true);
    item->SetText(text);
    item->SetVisible(visible);
    item->SetShortcut(shortcut);
    return item;
}

// The menu tree the program installs: a hidden File menu whose items belong
// in the application menu, and a hidden, empty Edit menu.
inline runtime::Ref<runtime::MenuBar> ProgramLikeMenuBar()
{
    auto bar = runtime::NewObject<runtime::MenuBar>();
    bar->Constructor();
    auto file = MakeMenuItem(QStringLiteral("FileMenu"), QStringLiteral("&File"), false);
    file->AddMenu(MakeMenuItem<runtime::AppleMenuItem>(QStringLiteral("AppleInfo"), QStringLiteral("Information"),
                                                       true, QStringLiteral("Cmd+I")));
    file->AddMenu(MakeMenuItem<runtime::AppleMenuItem>(QStringLiteral("AppleSpende"), QStringLiteral("Spende")));
    file->AddMenu(MakeMenuItem<runtime::QuitMenuItem>(QStringLiteral("FileQuit"), QStringLiteral("&Quit"), true,
                                                      QStringLiteral("Cmd+Q")));
    bar->AddMenu(file);
    bar->AddMenu(MakeMenuItem(QStringLiteral("EditMenu"), {}, false));
    return bar;
}

} // namespace tickora::testing
