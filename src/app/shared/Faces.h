#pragma once

#include <QStringList>

namespace tickora {

// The faces the windows were laid out for, best first (see Faces.cpp).
const QStringList &LayoutFaces();

// Puts the layout faces behind the font names the windows' lists use
// ("System", "Arial"), so every window draws with them.
void UseLayoutFaces();

} // namespace tickora
