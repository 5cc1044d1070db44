#include "runtime/core/Classes.h"

#include <map>

namespace tickora::runtime {

namespace {

// Node-based, so the references handed out stay valid as classes are added;
// never destroyed, like every registry of the runtime (see Process.cpp).
std::map<QString, ClassDescription> &Classes()
{
    static std::map<QString, ClassDescription> &classes = *new std::map<QString, ClassDescription>;
    return classes;
}

} // namespace

const ClassDescription &RuntimeRegisterClass(const ClassDescription &description)
{
    return Classes().try_emplace(description.Name, description).first->second;
}

const ClassDescription *RuntimeFindClass(const QString &className)
{
    const auto &classes = Classes();
    auto it = classes.find(className);
    return it == classes.end() ? nullptr : &it->second;
}

bool RuntimeIsEventHandled(const Object &, const QString &className, const QString &event, bool ownClass)
{
    if (!ownClass)
        return false;
    const ClassDescription *description = RuntimeFindClass(className);
    return description && description->Handles(event);
}

} // namespace tickora::runtime
