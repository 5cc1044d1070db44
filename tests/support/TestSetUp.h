#pragma once

namespace tickora::testing {

// Sets the runtime up on the test binary's QApplication: the runtime's own
// tests take it bare (RuntimeSetUp.cpp), the program's as the program sets it
// up, with its faces and desktop identity (ProgramSetUp.cpp).
void SetUpRuntimeForTests(int &argc, char **argv);

} // namespace tickora::testing
