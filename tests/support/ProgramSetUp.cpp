#include "support/TestSetUp.h"

#include "app/Startup.h"

namespace tickora::testing {

void SetUpRuntimeForTests(int &argc, char **argv) { SetUpRuntime(argc, argv); }

} // namespace tickora::testing
