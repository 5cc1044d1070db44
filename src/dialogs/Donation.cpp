#include "dialogs/Donation.h"

#include "dialogs/WebPages.h"

namespace tickora {

const runtime::ClassDescription &Donation::ClassInfo()
{
    static const runtime::ClassDescription &info = runtime::RuntimeRegisterClass(
        {QStringLiteral("Donation.Donation"), {QStringLiteral("CreateControls"), QStringLiteral("Layout")}});
    return info;
}

Donation::Ref<Donation> Donation::Instance()
{
    Ref<runtime::Window> window = runtime::Window::GetImplicitWindow(ClassInfo().Name);
    if (!window) {
        Ref<Donation> made = runtime::NewObject<Donation>();
        made->Constructor();
        window = made;
    }
    return runtime::ClassTest<Donation>(window);
}

bool Donation::IsEventImplemented(const QString &eventName) const
{
    return runtime::RuntimeIsEventHandled(*this, ClassInfo().Name, eventName, true);
}

void Donation::Layout() { runtime::SetProperties(*this, WindowProperties()); }

void Donation::CreateControls() { CreateControls0(); }

// Made, added under its name and fetched back by name; the list goes on
// before any handler, so applying it presses nothing.
template <class T>
void Donation::MakeControl(const QString &name)
{
    Ref<T> made = New<T>();
    made->Constructor();
    AddControl(name, made);
    runtime::SetProperties(*ControlAs<T>(name), ControlProperties(name));
}

void Donation::MakeButton(const QString &name, void (Donation::*handler)(PushButton &))
{
    MakeControl<PushButton>(name);
    ControlAs<PushButton>(name)->Action.AddHandler(runtime::Delegate(this, handler));
}

void Donation::CreateControls0()
{
    MakeControl<Label>(QStringLiteral("StaticText1"));
    MakeControl<Label>(QStringLiteral("StaticText2"));
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
    try {
        runtime::ShowURL(QStringView(kDonationPage).toString());
    } catch (const runtime::IOException &) {
        // No browser took the page: the user asked to donate, not to leave,
        // so the program and this window stay for another try.
        return;
    }
    runtime::Quit(0);
}

void Donation::PushButton3_Action(PushButton &) { runtime::Quit(0); }

} // namespace tickora
