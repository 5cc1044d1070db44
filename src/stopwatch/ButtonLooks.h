#pragma once

#include "app/shared/Pictures.h"
#include "runtime/widgets/controls/Canvas.h"

#include <initializer_list>
#include <utility>

namespace tickora {

// The watch's state as its buttons show it: the start/stop button shows a
// start look and the lap/reset button a reset look while the watch stands.
inline bool ShowsStartLook(runtime::Canvas &button)
{
    const PictureRef shown = button.Backdrop();
    return shown == start_hell() || shown == start78();
}
inline bool ShowsResetLook(runtime::Canvas &button)
{
    const PictureRef shown = button.Backdrop();
    return shown == reset78() || shown == reset_hell();
}

// A picture button's look changes by identity: the first pair whose first
// picture the button shows puts the second one in its place; when none
// matches, the button keeps what it shows. The hover looks of both buttons
// are this rule with their own pairs.
using Look = PictureRef (*)();
inline void ChangeLook(runtime::Canvas &button, std::initializer_list<std::pair<Look, Look>> changes)
{
    const PictureRef shown = button.Backdrop();
    for (const auto &[from, to] : changes) {
        if (shown == from()) {
            button.SetBackdrop(to());
            return;
        }
    }
}

} // namespace tickora
