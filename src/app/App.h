#pragma once

#include "runtime/widgets/application/Application.h"

namespace tickora {

// The application object: version data, the shared menu bar, the two
// application-menu commands, and the placing of the main window at start.
class App : public runtime::Application {
public:
    // Own operations, in order.
    void Event_Open() override;
    // The application-menu commands "Spende" and "Information"; both report
    // the command as handled.
    virtual bool AppleSpende_Action();
    virtual bool AppleInfo_Action();
    virtual void Constructor();

    bool IsEventImplemented(const QString &eventName) const;

    // The registered application object, nil before start-up registered one.
    static runtime::Ref<App> Instance();

    static const runtime::ClassDescription &ClassInfo();
    const runtime::ClassDescription &Description() const override { return ClassInfo(); }
};

} // namespace tickora
