#pragma once

#include <functional>
#include <initializer_list>

namespace tickora::runtime {

// The life of the process as the runtime sees it: the program's own
// initialisers, the one event loop, and the exit code it ends with.

// The runtime version the program was built against; kept, never read back.
void RuntimeSetTargetVersion(double version);

// Runs the program's initialisers, in the order given.
using Initializer = void (*)();
void RuntimePerformInitializers(std::initializer_list<Initializer> initializers);

// Runs the event loop until the application quits. A quit asked for before
// the loop runs ends it before it starts.
void RuntimeRun();
// True while the event loop runs.
bool RuntimeIsRunning();

// Ends the application through the runtime: the event loop returns and the
// process exits with the code. The first request's code holds.
void Quit(int exitCode = 0);
// The code the process ends with: the first quit request's, else the event loop's.
int RuntimeExitCode();

// Test seam: a replaced quit request receives the code instead of ending the
// process. Passing an empty function restores the runtime's own behaviour.
using QuitRequest = std::function<void(int exitCode)>;
void SetQuitRequest(QuitRequest request);

} // namespace tickora::runtime
