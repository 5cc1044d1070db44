#pragma once

namespace tickora {

// Process entry: sets up the runtime, runs the class initialisers and Main,
// then the finalisers; returns the exit code the runtime's exit step yields.
int ProcessEntry(int argc, char **argv);

// The runtime as the program wants it: Qt's application object (RuntimeInit),
// the program's desktop identity and the faces its windows were laid out for.
void SetUpRuntime(int &argc, char **argv);

// Start-up steps, in the order they run.
void Main();
void EarlyStartup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void LateStartup();
void MakeDefaultView();

// What Main tells the runtime it was built against.
inline constexpr double kTargetRuntimeVersion = 1.0;

} // namespace tickora
