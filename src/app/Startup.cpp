#include "app/Startup.h"

#include "app/App.h"
#include "app/shared/Faces.h"
#include "app/shared/MainMenuBar.h"
#include "app/shared/Pictures.h"
#include "app/shared/Version.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/Donation.h"
#include "runtime/core/Boundary.h"
#include "runtime/widgets/application/Lifecycle.h"
#include "stopwatch/main.h"

namespace tickora {

namespace {

// High-resolution displays: Qt 6 scales by itself, and the bundle's @2x pictures keep the buttons sharp.
void DeclareHiDPISupport() {}

// Dark mode: Qt follows the platform's light or dark palette by itself.
void EnableDarkModeSupport() {}

// The runtime's own classes (exceptions, values) are C++ types, known from the start.
void InitExternalClasses() {}

// The window-opacity setter is a function of our runtime, not a plug-in to resolve.
void InitPluginEntrypoints() {}

// Each class describes itself to the runtime once, before anything uses it.
void InitializeClasses()
{
    runtime::RuntimePerformInitializers({
        [] { App::ClassInfo(); },
        [] { main::ClassInfo(); },
        [] { Donation::ClassInfo(); },
        [] { AboutWindow::ClassInfo(); },
    });
}

} // namespace

void SetUpRuntime(int &argc, char **argv)
{
    runtime::RuntimeInit(argc, argv, QStringLiteral("Tickora"));
    // The name of the desktop entry that packaging installs, and our icon,
    // which shares its pixels with the About window's picture of it.
    runtime::RuntimeSetDesktopIdentity(QStringLiteral("tickora"), QStringLiteral("icon80"), &icon80);
    UseLayoutFaces();
}

int ProcessEntry(int argc, char **argv)
{
    SetUpRuntime(argc, argv);
    InitializeClasses();
    Main();
    runtime::RuntimePerformFinalizers();
    return runtime::RuntimeExit();
}

void Main()
{
    try {
        // Call-backs run through the runtime's wrapper: a runtime exception
        // that escapes one comes back as the wrapper's result.
        runtime::RuntimeSetExceptionHelper(&runtime::CallFunctionWithExceptionHandling);
        runtime::RuntimeSetTargetVersion(kTargetRuntimeVersion);
        EarlyStartup();
        runtime::RunFrameworkInitialization(&LateStartup);
        runtime::RuntimeRun();
    } catch (...) {
        // Start-up failed: no event loop, no window; the exit code says so.
        runtime::UnhandledException(std::current_exception());
    }
}

void EarlyStartup()
{
    DeclareHiDPISupport();
    EnableDarkModeSupport();
    InitExternalClasses();
    InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
}

// The program opens no documents.
void InitFileTypes() {}

void NewAppInstance()
{
    runtime::Ref<App> app = runtime::NewObject<App>();
    app->Constructor();
    app->x_SetVersionData(kMajorVersion, kMinorVersion, kBugVersion, 0, 0, QStringLiteral("ZQ"),
                          QString::fromLatin1(kShortVersion), QString());
    app->SanityCheckWDDM();
    app->SetMenuBar(MainMenuBar::Instance());
    runtime::RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers()
{
    App::Instance()->AddMenuHandler(QStringLiteral("AppleSpende"),
                                    runtime::Delegate(&*App::Instance(), &App::AppleSpende_Action));
    App::Instance()->AddMenuHandler(QStringLiteral("AppleInfo"),
                                    runtime::Delegate(&*App::Instance(), &App::AppleInfo_Action));
}

void LateStartup() { MakeDefaultView(); }

// The main window is the default window; building it shows it.
void MakeDefaultView() { main::Instance(); }

} // namespace tickora
