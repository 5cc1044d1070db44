#pragma once

#include "runtime/widgets/windows/Menu.h"

namespace tickora {

// The program's one menu bar, shared by the application and the main window.
// The File and Edit menus are hidden; what the user sees is the application
// menu with "Information", "Spende" and the quit item.
class MainMenuBar : public runtime::MenuBar {
public:
    // Replaces the inherited constructor: builds the File menu, then the Edit menu.
    void Constructor() override;
    virtual void Untitled0();
    virtual void Untitled1();

    // The shared instance, made on the first call. A failed construction
    // stores nothing, so the next call builds afresh.
    static runtime::Ref<MainMenuBar> Instance();
};

} // namespace tickora
