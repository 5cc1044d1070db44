#include "dialogs/AboutWindow.h"

#include "app/shared/Pictures.h"
#include "app/shared/Version.h"
#include "dialogs/WebPages.h"
#include "runtime/widgets/windows/WindowRegistry.h"

namespace tickora {

const runtime::ClassDescription &AboutWindow::ClassInfo()
{
    static const runtime::ClassDescription &info = runtime::RuntimeRegisterClass(
        {QStringLiteral("AboutWindow.AboutWindow"),
         {QStringLiteral("AddMenuHandlers"), QStringLiteral("CreateControls"), QStringLiteral("Layout"),
          QStringLiteral("MouseDown")}});
    return info;
}

AboutWindow::Ref<AboutWindow> AboutWindow::Instance() { return runtime::ImplicitInstance<AboutWindow>(); }

bool AboutWindow::IsEventImplemented(const QString &eventName) const
{
    return runtime::RuntimeIsEventHandled(*this, ClassInfo().Name, eventName, true);
}

void AboutWindow::Layout() { runtime::SetProperties(*this, WindowProperties()); }

void AboutWindow::CreateControls() { CreateControls0(); }

void AboutWindow::MakeLabel(const QString &name) { CreateControl<Label>(name, ControlProperties(name)); }

void AboutWindow::CreateControls0()
{
    MakeLabel(QStringLiteral("StatAppName"));
    MakeLabel(QStringLiteral("StatAppVersion"));
    MakeLabel(QStringLiteral("StatAppCopyright"));

    // The link's handlers go on after its list, so its list's colour is where
    // the Open handler starts from.
    const QString link = QStringLiteral("WebAdresse");
    MakeLabel(link);
    AttachHandler(link, &Label::MouseDown, &AboutWindow::WebAdresse_MouseDown);
    AttachHandler(link, &Label::MouseEnter, &AboutWindow::WebAdresse_MouseEnter);
    AttachHandler(link, &Label::MouseExit, &AboutWindow::WebAdresse_MouseExit);
    AttachHandler(link, &Label::Open, &AboutWindow::WebAdresse_Open);
    // A screen reader offers it as a link it can press.
    WebAdresse()->SetAccessibleRole(runtime::Accessible::Role::Link);

    MakeLabel(QStringLiteral("StaticText2"));
    CreateControl<Canvas>(QStringLiteral("Canvas1"), ControlProperties(QStringLiteral("Canvas1")),
                          [](Canvas &icon) { icon.SetBackdrop(icon80()); });
    // The program's icon beside its name says nothing the name does not.
    Canvas1()->SetAccessibleRole(runtime::Accessible::Role::Decoration);
    MakeLabel(QStringLiteral("StatAppContent"));
}

// Accessors ask the window afresh each time; the controls live as long as it.
AboutWindow::Ref<AboutWindow::Label> AboutWindow::StatAppName() { return ControlAs<Label>(QStringLiteral("StatAppName")); }
AboutWindow::Ref<AboutWindow::Label> AboutWindow::StatAppVersion() { return ControlAs<Label>(QStringLiteral("StatAppVersion")); }
AboutWindow::Ref<AboutWindow::Label> AboutWindow::StatAppCopyright() { return ControlAs<Label>(QStringLiteral("StatAppCopyright")); }
AboutWindow::Ref<AboutWindow::Label> AboutWindow::WebAdresse() { return ControlAs<Label>(QStringLiteral("WebAdresse")); }
AboutWindow::Ref<AboutWindow::Label> AboutWindow::StaticText2() { return ControlAs<Label>(QStringLiteral("StaticText2")); }
AboutWindow::Ref<AboutWindow::Canvas> AboutWindow::Canvas1() { return ControlAs<Canvas>(QStringLiteral("Canvas1")); }
AboutWindow::Ref<AboutWindow::Label> AboutWindow::StatAppContent() { return ControlAs<Label>(QStringLiteral("StatAppContent")); }

bool AboutWindow::WebAdresse_MouseDown(Label &link, std::int64_t, std::int64_t)
{
    // No browser took the page: leave the window as it is, so the user
    // sees that nothing happened and can try again.
    if (!OpenWebPage(QStringView(kMakerPage).toString()))
        return false;
    link.SetTextColor(kLinkAmber);
    Close();
    return false;
}

void AboutWindow::WebAdresse_MouseEnter(Label &link) { link.SetTextColor(kLinkHover); }

// Once visited by the pointer the link stays white, not amber, until it is clicked.
void AboutWindow::WebAdresse_MouseExit(Label &link) { link.SetTextColor(kWhite); }

void AboutWindow::WebAdresse_Open(Label &link)
{
    link.SetTextColor(kLinkAmber);
    link.SetUnderline(true);
}

// The window has no menu bar of its own, so these names are reachable only
// while it is the active window and a menu offers them.
void AboutWindow::AddMenuHandlers(Ref<runtime::Object> target)
{
    Ref<AboutWindow> window = runtime::ClassTest<AboutWindow>(target);
    AddMenuHandler(QStringLiteral("FileClose"), runtime::Delegate(&*window, &AboutWindow::FileClose_Action));
    AddMenuHandler(QStringLiteral("FileCloseWindow"),
                   runtime::Delegate(&*window, &AboutWindow::FileCloseWindow_Action));
}

bool AboutWindow::Event_MouseDown(std::int64_t, std::int64_t)
{
    Close();
    return false;
}

bool AboutWindow::FileClose_Action()
{
    Close();
    return false;
}

bool AboutWindow::FileCloseWindow_Action()
{
    Close();
    return false;
}

void AboutWindow::SetupWindow()
{
    StatAppName()->SetText(QStringLiteral("Tickora\r"));
    StatAppVersion()->SetText(QStringLiteral("Version ") + QString::fromLatin1(kShortVersion));
    StatAppCopyright()->SetText(QStringLiteral("Copyright © Velmoran Software.\rAlle Rechte vorbehalten."));
    StatAppContent()->SetText(QStringLiteral("Entwickelt von ZQ für Velmoran Software"));
}

void AboutWindow::Show(bool useCredits)
{
    UseCredits = useCredits;
    SetupWindow();
    Window::Show();
}

} // namespace tickora
