#include "app/App.h"

#include "dialogs/AboutWindow.h"
#include "dialogs/Donation.h"
#include "stopwatch/Placement.h"
#include "stopwatch/main.h"

namespace tickora {

using runtime::Ref;

const runtime::ClassDescription &App::ClassInfo()
{
    static const runtime::ClassDescription &info =
        runtime::RuntimeRegisterClass({QStringLiteral("App"), {QStringLiteral("Open")}});
    return info;
}

Ref<App> App::Instance() { return runtime::ClassTest<App>(runtime::GetAppObject()); }

bool App::IsEventImplemented(const QString &eventName) const
{
    return runtime::RuntimeIsEventHandled(*this, QStringLiteral("App"), eventName, true);
}

void App::Event_Open() { Dock(*main::Instance()); }

bool App::AppleSpende_Action()
{
    Donation::Instance()->Show();
    return true;
}

bool App::AppleInfo_Action()
{
    AboutWindow::Instance()->Show(true);
    return true;
}

void App::Constructor() {}

} // namespace tickora
