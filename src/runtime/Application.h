#pragma once

#include "runtime/Properties.h"
#include "runtime/Ref.h"
#include "runtime/Runtime.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>

class QUrl;

namespace tickora::runtime {

class MenuBar;

// A menu command bound by item name; returns True when it handled the command.
using MenuHandler = std::function<bool()>;

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

// Ends the application through the runtime: the event loop returns and the
// process exits with the code. The first request's code holds.
void Quit(int exitCode = 0);

// Opens a web address in the default browser. When the system cannot open
// it, tells the user so, with the address to copy, and raises IOException.
void ShowURL(const QString &url);

// Shows the user a message with an OK button, in front of the program's
// windows, its text selectable so that it can be copied. Returns at once;
// the box goes away when the user confirms it.
void MessageBox(const QString &message);

// Test seams. A replaced opener receives the address instead of the desktop;
// a replaced quit request receives the code instead of ending the process.
// Passing an empty function restores the runtime's own behaviour.
using UrlOpener = std::function<bool(const QUrl &)>;
void SetUrlOpener(UrlOpener opener);
using QuitRequest = std::function<void(int exitCode)>;
void SetQuitRequest(QuitRequest request);
// A replaced message box receives the message instead of the user.
using MessageShower = std::function<void(const QString &message)>;
void SetMessageShower(MessageShower shower);

} // namespace tickora::runtime
