#include "dialogs/Donation.h"

#include "dialogs/WebPages.h"
#include "runtime/core/Process.h"
#include "runtime/widgets/windows/WindowRegistry.h"

namespace tickora {

const runtime::ClassDescription &Donation::ClassInfo()
{
    static const runtime::ClassDescription &info = runtime::RuntimeRegisterClass(
        {QStringLiteral("Donation.Donation"), {QStringLiteral("CreateControls"), QStringLiteral("Layout")}});
    return info;
}

Donation::Ref<Donation> Donation::Instance() { return runtime::ImplicitInstance<Donation>(); }

bool Donation::IsEventImplemented(const QString &eventName) const
{
    return runtime::RuntimeIsEventHandled(*this, ClassInfo().Name, eventName, true);
}

void Donation::Layout() { runtime::SetProperties(*this, WindowProperties()); }

void Donation::CreateControls() { CreateControls0(); }

// The buttons' handlers go on after their lists, so applying a list presses nothing.
void Donation::MakeButton(const QString &name, void (Donation::*handler)(PushButton &))
{
    CreateControl<PushButton>(name, ControlProperties(name));
    AttachHandler(name, &PushButton::Action, handler);
}

void Donation::CreateControls0()
{
    CreateControl<Label>(QStringLiteral("StaticText1"), ControlProperties(QStringLiteral("StaticText1")));
    CreateControl<Label>(QStringLiteral("StaticText2"), ControlProperties(QStringLiteral("StaticText2")));
    MakeButton(QStringLiteral("PushButton1"), &Donation::PushButton1_Action);
    MakeButton(QStringLiteral("PushButton2"), &Donation::PushButton2_Action);
    MakeButton(QStringLiteral("PushButton3"), &Donation::PushButton3_Action);
}

Donation::Ref<Donation::Label> Donation::StaticText1() { return ControlAs<Label>(QStringLiteral("StaticText1")); }
Donation::Ref<Donation::Label> Donation::StaticText2() { return ControlAs<Label>(QStringLiteral("StaticText2")); }
Donation::Ref<Donation::PushButton> Donation::PushButton1() { return ControlAs<PushButton>(QStringLiteral("PushButton1")); }
Donation::Ref<Donation::PushButton> Donation::PushButton2() { return ControlAs<PushButton>(QStringLiteral("PushButton2")); }
Donation::Ref<Donation::PushButton> Donation::PushButton3() { return ControlAs<PushButton>(QStringLiteral("PushButton3")); }

void Donation::PushButton1_Action(PushButton &) { Close(); }

void Donation::PushButton2_Action(PushButton &)
{
    // No browser took the page: the user asked to donate, not to leave, so
    // the program and this window stay for another try.
    if (!OpenWebPage(QStringView(kDonationPage).toString()))
        return;
    runtime::Quit(0);
}

void Donation::PushButton3_Action(PushButton &) { runtime::Quit(0); }

} // namespace tickora
