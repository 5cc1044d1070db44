#include "runtime/core/Process.h"

#include <QCoreApplication>

namespace tickora::runtime {

namespace {

struct ProcessState {
    double targetVersion = 0.0;
    bool running = false;
    bool quitRequested = false;
    int exitCode = 0;
    QuitRequest quitRequest;
};

// The registries of the process are made on first use and never destroyed.
// Something may end the process with exit() from inside the event loop (Qt's
// X11 plug-in does when the X server goes away); static objects are then
// destroyed while windows, controls and timers are still alive, and a
// registry destroyed among them would be used after its destruction by the
// objects it holds. Never destroyed, they are still reachable, not leaked.
ProcessState &State()
{
    static ProcessState &state = *new ProcessState;
    return state;
}

void DefaultQuit(int exitCode)
{
    ProcessState &state = State();
    if (!state.quitRequested) {
        state.quitRequested = true;
        state.exitCode = exitCode;
    }
    // Before the loop runs there is nothing to leave; RuntimeRun sees the request.
    if (state.running)
        QCoreApplication::exit(state.exitCode);
}

} // namespace

void RuntimeSetTargetVersion(double version) { State().targetVersion = version; }

void RuntimePerformInitializers(std::initializer_list<Initializer> initializers)
{
    for (Initializer initializer : initializers)
        initializer();
}

void RuntimeRun()
{
    ProcessState &state = State();
    if (state.quitRequested)
        return;
    state.running = true;
    const int loopResult = QCoreApplication::exec();
    state.running = false;
    if (!state.quitRequested) {
        state.quitRequested = true;
        state.exitCode = loopResult;
    }
}

bool RuntimeIsRunning() { return State().running; }

void Quit(int exitCode)
{
    ProcessState &state = State();
    if (state.quitRequest)
        state.quitRequest(exitCode);
    else
        DefaultQuit(exitCode);
}

int RuntimeExitCode() { return State().exitCode; }

void SetQuitRequest(QuitRequest request) { State().quitRequest = std::move(request); }

} // namespace tickora::runtime
