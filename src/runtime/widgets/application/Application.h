#pragma once

#include "runtime/core/Classes.h"
#include "runtime/core/Properties.h"
#include "runtime/core/Ref.h"
#include "runtime/widgets/windows/Menu.h"

#include <QHash>
#include <QString>

#include <cstdint>

namespace tickora::runtime {

struct VersionData {
    std::int64_t MajorVersion = 0;
    std::int64_t MinorVersion = 0;
    std::int64_t BugVersion = 0;
    std::int64_t NonReleaseVersion = 0;
    std::int64_t StageCode = 0;
    QString LongVersion;
    QString ShortVersion;
    QString PackageInfo;
};

// The application object. The program registers exactly one, of its own subclass.
class Application : public Object {
public:
    Application();
    ~Application() override;

    // The runtime's operations that the program calls, in the runtime's order.
    virtual void AddMenuHandler(const QString &itemName, MenuHandler handler);
    virtual void SanityCheckWDDM();
    virtual void x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                                  std::int64_t nonRelease, std::int64_t stage,
                                  const QString &longVersion, const QString &shortVersion,
                                  const QString &packageInfo);

    // The application's Open event; raised once start-up has made the default window.
    virtual void Event_Open();

    // The class as the program describes it; the runtime's own base handles no event.
    virtual const ClassDescription &Description() const;

    // The application's menu bar. Its application-menu and quit items reach
    // the program from every window, as a global menu would.
    Ref<runtime::MenuBar> MenuBar() const;
    void SetMenuBar(Ref<runtime::MenuBar> menuBar);
    const VersionData &Version() const { return m_version; }

    // Runs the handler bound to the item name; false when none is bound or it declined.
    bool HandleMenuCommand(const QString &itemName);

private:
    QHash<QString, MenuHandler> m_menuHandlers;
    Ref<runtime::MenuBar> m_menuBar;
    VersionData m_version;
};

void RuntimeRegisterAppObject(Ref<Application> app);
Ref<Application> GetAppObject();

// Where a chosen menu item's command goes: to the active window's handler of
// that name, else to the registered application's.
bool DispatchMenuCommand(const QString &itemName);

} // namespace tickora::runtime
