#include "stopwatch/main.h"

#include "app/MainMenuBar.h"
#include "app/Pictures.h"
#include "stopwatch/MainLayout.h"

namespace tickora {

using runtime::Ref;

const runtime::ClassDescription &main::ClassInfo()
{
    static const runtime::ClassDescription &info = runtime::RuntimeRegisterClass(
        {QStringLiteral("main.main"),
         {QStringLiteral("CreateControls"), QStringLiteral("Layout"), QStringLiteral("Open")}});
    return info;
}

Ref<main> main::Instance()
{
    Ref<runtime::Window> window = runtime::Window::GetImplicitWindow(ClassInfo().Name);
    if (!window) {
        Ref<main> made = runtime::NewObject<main>();
        made->Constructor();
        window = made;
    }
    return runtime::ClassTest<main>(window);
}

bool main::IsEventImplemented(const QString &eventName) const
{
    return runtime::RuntimeIsEventHandled(*this, ClassInfo().Name, eventName, true);
}

void main::Layout()
{
    SetBackdrop(backTrans());
    SetMenuBar(MainMenuBar::Instance());
    runtime::SetProperties(*this, MainWindowProperties());
}

void main::CreateControls()
{
    CreateControls0();
    CreateControls1();
}

void main::CreateControls0() {}

void main::CreateControls1() {}

template <class Item>
Ref<Item> main::MenuItemNamed(const QString &name)
{
    Ref<runtime::MenuBar> bar = MenuBar();
    if (!bar)
        throw runtime::NilObjectException(QStringLiteral("the window has no menu bar"));
    return runtime::ClassTest<Item>(bar->Lookup(name));
}

Ref<runtime::MenuItem> main::EditMenu() { return MenuItemNamed<runtime::MenuItem>(QStringLiteral("EditMenu")); }
Ref<runtime::MenuItem> main::FileMenu() { return MenuItemNamed<runtime::MenuItem>(QStringLiteral("FileMenu")); }
Ref<runtime::QuitMenuItem> main::FileQuit() { return MenuItemNamed<runtime::QuitMenuItem>(QStringLiteral("FileQuit")); }
Ref<runtime::AppleMenuItem> main::AppleSpende() { return MenuItemNamed<runtime::AppleMenuItem>(QStringLiteral("AppleSpende")); }
Ref<runtime::AppleMenuItem> main::AppleInfo() { return MenuItemNamed<runtime::AppleMenuItem>(QStringLiteral("AppleInfo")); }

void main::Event_Open()
{
    Instance()->SetHeight(kCollapsedHeight);
    Instance()->SetWidth(kWindowWidth);
}

} // namespace tickora
