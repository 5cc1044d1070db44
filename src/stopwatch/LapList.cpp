// The lap list and the lap/reset button. While the watch runs the button
// shows a lap look and a click takes a lap; while it is stopped it shows a
// reset look and a click resets. Laps grow the window to show the list; a
// reset collapses it.
#include "app/shared/Pictures.h"
#include "runtime/core/Properties.h"
#include "stopwatch/ButtonLooks.h"
#include "stopwatch/MainLayout.h"
#include "stopwatch/main.h"

namespace tickora {

namespace {
constexpr std::int64_t kNoteColumn = 4;
}

bool main::cReset_MouseDown(Canvas &button, std::int64_t, std::int64_t)
{
    if (ShowsResetLook(button))
        Reset();
    else
        Lap();
    return false;
}

void main::Reset()
{
    sec()->SetText(QStringLiteral("00"));
    min()->SetText(QStringLiteral("00"));
    stu()->SetText(QStringLiteral("00"));
    Timer1()->SetEnabled(false);
    Label1()->SetText(QStringLiteral("00"));
    Label2()->SetText(QStringLiteral("00"));
    Label3()->SetText(QStringLiteral("00"));
    Timer2()->SetEnabled(false);
    resetZ();
    Listbox1()->DeleteAllRows();
    Instance()->SetHeight(kCollapsedHeight);
}

void main::Lap()
{
    // The lap counters start again; the lap string keeps the finished lap's
    // time until the next tick, so the new row shows it.
    Label1()->SetText(QStringLiteral("00"));
    Label2()->SetText(QStringLiteral("00"));
    Label3()->SetText(QStringLiteral("00"));
    Instance()->SetHeight(kExpandedHeight);
    const std::int64_t lapNumber = Listbox1()->ListCount() + 1;
    Listbox1()->AddRow({QString()});
    Listbox1()->SetCell(Listbox1()->LastIndex(), 0, QString());
    Listbox1()->SetCell(Listbox1()->LastIndex(), 1, QStringLiteral("Lap ") + QString::number(lapNumber));
    Listbox1()->SetCell(Listbox1()->LastIndex(), 2, timestring()->Text());
    Listbox1()->SetCell(Listbox1()->LastIndex(), 3, zwischenzeit()->Text());
}

void main::cReset_MouseMove(Canvas &button, std::int64_t, std::int64_t)
{
    ChangeLook(button, {{&lap78, &lap_hell}, {&reset78, &reset_hell}});
}

void main::cReset_MouseExit(Canvas &button)
{
    ChangeLook(button, {{&lap_hell, &lap78}, {&reset_hell, &reset78}});
}

bool main::Listbox1_CellClick(Listbox &list, std::int64_t row, std::int64_t column, std::int64_t, std::int64_t)
{
    if (column != kNoteColumn)
        return false;
    list.EditCell(row, kNoteColumn);
    return true;
}

// Nothing to prepare: the list starts empty and takes its look from its list.
void main::Listbox1_Open(Listbox &) {}

bool main::Listbox1_CellBackgroundPaint(Listbox &list, runtime::Graphics &g, std::int64_t row, std::int64_t)
{
    // Lap rows are grey in every column; the area below the last lap is dark teal.
    g.SetForeColor(runtime::RGB(8, 43, 52));
    g.FillRect(0, 0, g.Width(), g.Height());
    if (row < list.ListCount()) {
        g.SetForeColor(runtime::RGB(150, 150, 150));
        g.FillRect(0, 0, g.Width(), g.Height());
    }
    return false;
}

} // namespace tickora
