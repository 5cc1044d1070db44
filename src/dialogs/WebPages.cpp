#include "dialogs/WebPages.h"

#include "runtime/core/Exceptions.h"
#include "runtime/widgets/application/Desktop.h"

namespace tickora {

bool OpenWebPage(const QString &address)
{
    try {
        runtime::ShowURL(address);
    } catch (const runtime::IOException &) {
        // Otherwise the user clicks and nothing happens. The program's
        // windows speak German, and so does this.
        runtime::MessageBox(QStringLiteral("Die Seite konnte nicht geöffnet werden.\n\n"
                                           "Bitte öffnen Sie diese Adresse in Ihrem Webbrowser:\n%1")
                                .arg(address));
        return false;
    }
    return true;
}

} // namespace tickora
