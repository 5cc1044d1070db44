#include "support/TestSetUp.h"

#include "runtime/widgets/application/Lifecycle.h"

namespace tickora::testing {

void SetUpRuntimeForTests(int &argc, char **argv)
{
    runtime::RuntimeInit(argc, argv, QStringLiteral("Tickora"));
}

} // namespace tickora::testing
