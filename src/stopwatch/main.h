#pragma once

#include "runtime/Menu.h"
#include "runtime/Window.h"

namespace tickora {

// The stopwatch's main window. It keeps no data of its own: the counters are
// the texts of its labels and the state of every picture button and lamp is
// the picture it shows.
class main : public runtime::Window {
public:
    // Own operations, in order.
    void Layout() override;
    void CreateControls() override;
    virtual void CreateControls0();
    virtual void CreateControls1();

    virtual runtime::Ref<runtime::MenuItem> EditMenu();
    virtual runtime::Ref<runtime::MenuItem> FileMenu();
    virtual runtime::Ref<runtime::QuitMenuItem> FileQuit();
    virtual runtime::Ref<runtime::AppleMenuItem> AppleSpende();
    virtual runtime::Ref<runtime::AppleMenuItem> AppleInfo();
    void Event_Open() override;

    bool IsEventImplemented(const QString &eventName) const;

    // The one main window: the runtime's current one, or a new one built now.
    static runtime::Ref<main> Instance();

    static const runtime::ClassDescription &ClassInfo();
    const runtime::ClassDescription &Description() const override { return ClassInfo(); }

private:
    template <class Item>
    runtime::Ref<Item> MenuItemNamed(const QString &name);
};

} // namespace tickora
