// The counting engine and the start/stop button. Time is counted, not
// measured: every tick of Timer1 adds one second to the total's fields, every
// tick of Timer2 one second to the lap's hidden fields. The button's picture
// is the watch's state: a start look while stopped, a stop look while running.
#include "app/shared/Pictures.h"
#include "stopwatch/ButtonLooks.h"
#include "stopwatch/TimeText.h"
#include "stopwatch/main.h"

namespace tickora {

void main::tickora() { AddOneSecond(*sec(), *min(), *stu()); }

void main::anzeige() { timestring()->SetText(TimeString(stu()->Text(), min()->Text(), sec()->Text())); }

void main::tickoraZ() { AddOneSecond(*Label3(), *Label2(), *Label1()); }

void main::anzeigeZ()
{
    zwischenzeit()->SetText(TimeString(Label1()->Text(), Label2()->Text(), Label3()->Text()));
}

void main::resetZ() { zwischenzeit()->SetText(QStringLiteral("00:00:00")); }

void main::Timer1_Action(Timer &)
{
    tickora();
    anzeige();
}

void main::Timer2_Action(Timer &)
{
    tickoraZ();
    anzeigeZ();
}

void main::timestring_Open(Label &label)
{
    label.SetText(TimeString(stu()->Text(), min()->Text(), sec()->Text()));
}

bool main::cStart_MouseDown(Canvas &button, std::int64_t, std::int64_t)
{
    if (ShowsStartLook(button)) {
        // The plain look of the new state, even with the pointer still over it.
        button.SetBackdrop(stop78());
        cReset()->SetBackdrop(lap78());
        Timer1()->SetEnabled(true);
        Timer2()->SetEnabled(true);
    } else {
        button.SetBackdrop(start78());
        cReset()->SetBackdrop(reset78());
        Timer1()->SetEnabled(false);
        Timer2()->SetEnabled(false);
    }
    return false;
}

void main::cStart_MouseMove(Canvas &button, std::int64_t, std::int64_t)
{
    ChangeLook(button, {{&start78, &start_hell}, {&stop78, &stop_hell}});
}

void main::cStart_MouseExit(Canvas &button)
{
    ChangeLook(button, {{&start_hell, &start78}, {&stop_hell, &stop78}});
}

} // namespace tickora
