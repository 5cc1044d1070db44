// The stopwatch without a mouse and without sight. The keys press the
// picture buttons through the very handlers a click runs, and only where a
// click could: on a button that is shown, in the look that does what the key
// is for. Screen readers hear every control in the words of the face it
// stands on: the buttons by what a press does now, in the English of the
// captions, headings and lap rows beside them; the lamps by their tooltips.
#include "app/shared/Pictures.h"
#include "stopwatch/ButtonLooks.h"
#include "stopwatch/main.h"

namespace tickora {

using runtime::Accessible::Description;
using Role = runtime::Accessible::Role;

bool main::PressByKey(Canvas &button)
{
    if (!button.CanPress())
        return false;
    button.Press();
    return true;
}

bool main::Event_KeyDown(const QString &key)
{
    if (key == QStringLiteral(" "))
        return PressByKey(*cStart());
    // Return takes laps only: a reset never comes from the key that takes
    // them. It has a key of its own, Delete, far from Return and from the
    // keypad's Enter, whose neighbour Del is not this key.
    if (key == QStringLiteral("\r") || key == QString(QChar(3)))
        return !ShowsResetLook(*cReset()) && PressByKey(*cReset());
    if (key == QString(QChar(127)))
        return ShowsResetLook(*cReset()) && PressByKey(*cReset());
    return false;
}

Description main::cStart_Describe(Canvas &button)
{
    return {.Name = ShowsStartLook(button) ? QStringLiteral("Start") : QStringLiteral("Stop")};
}

Description main::cReset_Describe(Canvas &button)
{
    return {.Name = ShowsResetLook(button) ? QStringLiteral("Reset") : QStringLiteral("Lap")};
}

// On while the information screen shows.
Description main::cLight_Describe(Canvas &lamp) { return {.Checked = lamp.Backdrop() != button_gelb()}; }

// On while the window is released.
Description main::cTop_Describe(Canvas &lamp) { return {.Checked = lamp.Backdrop() != blau13()}; }

// The clock reads as it shows, "09:05"; its labels are drawn, not read.
Description main::cTimeBack_Describe(Canvas &)
{
    return {.Text = LabelHour()->Text() + LabelHour1()->Text() + LabelMin()->Text()};
}

void main::DescribeControls()
{
    cStart()->SetAccessibleRole(Role::Button);
    AttachHandler(QStringLiteral("cStart"), &Canvas::Describe, &main::cStart_Describe);
    cReset()->SetAccessibleRole(Role::Button);
    AttachHandler(QStringLiteral("cReset"), &Canvas::Describe, &main::cReset_Describe);

    for (const Ref<Canvas> &lamp : {cLight(), cQuit(), cTop()})
        lamp->SetAccessibleName(lamp->Tooltip());
    cLight()->SetAccessibleRole(Role::ToggleButton);
    AttachHandler(QStringLiteral("cLight"), &Canvas::Describe, &main::cLight_Describe);
    cQuit()->SetAccessibleRole(Role::Button);
    cTop()->SetAccessibleRole(Role::ToggleButton);
    AttachHandler(QStringLiteral("cTop"), &Canvas::Describe, &main::cTop_Describe);

    // Each field reads as its digits, named by the caption above it.
    stu()->SetAccessibleLabel(QStringLiteral("labelStunde"));
    min()->SetAccessibleLabel(QStringLiteral("labelMinute"));
    sec()->SetAccessibleLabel(QStringLiteral("labelSekunde"));
    LabelDoppelpunkt1()->SetAccessibleRole(Role::Decoration);
    LabelDoppelpunkt2()->SetAccessibleRole(Role::Decoration);

    cTimeBack()->SetAccessibleRole(Role::Text);
    cTimeBack()->SetAccessibleName(QStringLiteral("Clock"));
    AttachHandler(QStringLiteral("cTimeBack"), &Canvas::Describe, &main::cTimeBack_Describe);
    for (const Ref<Label> &part : {LabelHour(), LabelHour1(), LabelMin()})
        part->SetAccessibleRole(Role::Decoration);

    // The columns are named by the headings over them; column 0 has none.
    Listbox1()->SetAccessibleName(QStringLiteral("Laps"));
    Listbox1()->SetHeading(1, LabelLap()->Text());
    Listbox1()->SetHeading(2, LabelZZ()->Text());
    Listbox1()->SetHeading(3, LabelDif()->Text());
    Listbox1()->SetHeading(4, LabelDif1()->Text());

    TransparencySlider()->SetAccessibleName(QStringLiteral("Opacity"));
}

} // namespace tickora
