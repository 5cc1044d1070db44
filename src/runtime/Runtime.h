#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

namespace tickora::runtime {

class Object;

// What the runtime knows of one class of the program: its name ("main.main")
// and the events that the class itself handles. The runtime raises a window or
// application event only when the class's description lists it.
struct ClassDescription {
    QString Name;
    QStringList HandledEvents;

    bool Handles(const QString &event) const { return HandledEvents.contains(event); }
};

// Makes a description known under its name; the first registration of a name holds.
const ClassDescription &RuntimeRegisterClass(const ClassDescription &description);
const ClassDescription *RuntimeFindClass(const QString &className);

// Whether the class `className` handles `event`. `ownClass` asks about the
// program's own class rather than the runtime's base class, which handles none.
bool RuntimeIsEventHandled(const Object &object, const QString &className, const QString &event,
                           bool ownClass);

// Process life, in the order the program calls it.
void RuntimeInit(int &argc, char **argv, const QString &applicationName);
// How the desktop knows the program: the name of its installed desktop entry
// (without ".desktop"), and the bundle picture that every window carries as
// its icon.
void RuntimeSetDesktopIdentity(const QString &desktopEntry, const QString &iconPicture);
void RuntimeSetTargetVersion(double version);
using Initializer = void (*)();
void RuntimePerformInitializers(std::initializer_list<Initializer> initializers);
void RunFrameworkInitialization(const std::function<void()> &lateStartup);
void RuntimeRun();
void RuntimePerformFinalizers();
int RuntimeExit();

// True while the event loop runs.
bool RuntimeIsRunning();

} // namespace tickora::runtime
