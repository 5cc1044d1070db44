#include "app/shared/Faces.h"

#include "runtime/widgets/controls/Font.h"

namespace tickora {

// The face behind "System" is chosen here rather than left to the desktop.
// The windows were laid out for Arial: its narrow digits put a bold "00" at
// 50 px inside the 62 px hours field, and the headings, captions and dialog
// texts were sized to its widths. A desktop face such as DejaVu Sans is a
// quarter wider, so the large fields would not fit and would all be drawn
// smaller (they shrink together, see Label). Arial itself, then the faces
// drawn on its metrics (Liberation Sans, Arimo), then Helvetica's near twins;
// only on a machine with none of them does the desktop's sans-serif face
// stand in. Naming the stand-ins here, rather than trusting fontconfig's
// aliases, keeps "Arial" the same face on every machine.
const QStringList &LayoutFaces()
{
    static const QStringList faces{
        QStringLiteral("Arial"),     QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
        QStringLiteral("Helvetica"), QStringLiteral("Nimbus Sans"),
    };
    return faces;
}

void UseLayoutFaces()
{
    for (const QString &name : {QStringLiteral("System"), QStringLiteral("Arial")})
        runtime::SetFontFaces(name, LayoutFaces());
}

} // namespace tickora
