#include "runtime/core/StartEnvironment.h"

#include <QtGlobal>

namespace tickora::runtime {

StartEnvironment::~StartEnvironment()
{
    // Latest first, so a variable set twice ends as it was before the first.
    for (auto before = m_before.rbegin(); before != m_before.rend(); ++before) {
        if (before->wasSet)
            qputenv(before->name, before->value);
        else
            qunsetenv(before->name);
    }
}

void StartEnvironment::Set(const char *name, const QByteArray &value)
{
    m_before.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
    qputenv(name, value);
}

} // namespace tickora::runtime
