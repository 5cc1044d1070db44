#pragma once

#include "runtime/widgets/controls/Label.h"
#include "runtime/widgets/controls/PushButton.h"
#include "runtime/widgets/windows/Window.h"

namespace tickora {

// The window that asks for a donation: a freeware note and three buttons, to
// go on working, to donate (and leave), or to leave. It remembers nothing, so
// every new one shows the same texts.
//
// Building, accessors and buttons are here (Donation.cpp); the window's and
// controls' property lists are in DonationLayout.cpp.
class Donation : public runtime::Window {
public:
    using Label = runtime::Label;
    using PushButton = runtime::PushButton;
    template <class T>
    using Ref = runtime::Ref<T>;

    // Own operations, in order.
    void Layout() override;
    void CreateControls() override;
    virtual void CreateControls0();

    // The controls, by name, in the order they are made.
    virtual Ref<Label> StaticText1();
    virtual Ref<Label> StaticText2();
    virtual Ref<PushButton> PushButton1();
    virtual Ref<PushButton> PushButton2();
    virtual Ref<PushButton> PushButton3();

    // "Weiter": closes this window and nothing else.
    virtual void PushButton1_Action(PushButton &button);
    // "Spende": opens the donation page, then ends the program.
    virtual void PushButton2_Action(PushButton &button);
    // "Beenden": ends the program.
    virtual void PushButton3_Action(PushButton &button);

    bool IsEventImplemented(const QString &eventName) const;

    // The one donation window: the runtime's current one, or a new one built now.
    static Ref<Donation> Instance();

    static const runtime::ClassDescription &ClassInfo();
    const runtime::ClassDescription &Description() const override { return ClassInfo(); }

private:
    static const runtime::PropertyList &WindowProperties();
    static const runtime::PropertyList &ControlProperties(const QString &controlName);

    void MakeButton(const QString &name, void (Donation::*handler)(PushButton &));
};

} // namespace tickora
