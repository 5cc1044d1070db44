// The three lamps: the info lamp switches between the stopwatch face and the
// information screen, the quit lamp ends the program, the dock lamp moves the
// window between its docked place at the top centre of the main screen and a
// released place lower down. Each lamp's picture is its state.
#include "app/shared/Pictures.h"
#include "runtime/core/Process.h"
#include "stopwatch/MainLayout.h"
#include "stopwatch/Placement.h"
#include "stopwatch/main.h"

namespace tickora {

bool main::cLight_MouseDown(Canvas &lamp, std::int64_t, std::int64_t)
{
    if (lamp.Backdrop() == button_gelb()) {
        Instance()->SetBackdrop(studioScreen());
        lamp.SetBackdrop(green13());
        ShowFace(false);
    } else {
        Instance()->SetBackdrop(backTrans());
        lamp.SetBackdrop(button_gelb());
        ShowFace(true);
    }
    return false;
}

// The controls of the stopwatch face, always changed in this order. The
// captions and the clock's labels are embedded in them and go with them; the
// counting goes on underneath.
void main::ShowFace(bool shown)
{
    LabelDoppelpunkt1()->SetVisible(shown);
    LabelDoppelpunkt2()->SetVisible(shown);
    stu()->SetVisible(shown);
    min()->SetVisible(shown);
    sec()->SetVisible(shown);
    cStart()->SetVisible(shown);
    cReset()->SetVisible(shown);
    TransparencySlider()->SetVisible(shown);
    cTimeBack()->SetVisible(shown);
}

bool main::cQuit_MouseDown(Canvas &lamp, std::int64_t, std::int64_t)
{
    if (lamp.Backdrop() == red13())
        runtime::Quit(0);
    return false;
}

bool main::cTop_MouseDown(Canvas &lamp, std::int64_t, std::int64_t)
{
    if (lamp.Backdrop() == blau13()) {
        Instance()->SetTop(kReleasedTop);
        lamp.SetBackdrop(green13());
    } else {
        Dock(*Instance());
        lamp.SetBackdrop(blau13());
    }
    return false;
}

} // namespace tickora
