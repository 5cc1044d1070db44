#pragma once

#include <QString>
#include <QStringList>

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

} // namespace tickora::runtime
