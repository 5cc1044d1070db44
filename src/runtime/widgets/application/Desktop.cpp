#include "runtime/widgets/application/Desktop.h"

#include "runtime/core/Boundary.h"
#include "runtime/core/Exceptions.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace tickora::runtime {

namespace {

struct Seams {
    UrlOpener urlOpener;
    MessageShower messageShower;
};

// Never destroyed, like every registry of the runtime (see Process.cpp).
Seams &Installed()
{
    static Seams &seams = *new Seams;
    return seams;
}

} // namespace

void ShowURL(const QString &url)
{
    const QUrl address(url, QUrl::StrictMode);
    const UrlOpener &opener = Installed().urlOpener;
    const bool opened = address.isValid() && !address.isRelative()
        && (opener ? opener(address) : QDesktopServices::openUrl(address));
    if (!opened)
        throw IOException(QStringLiteral("could not open %1").arg(url));
}

void SetUrlOpener(UrlOpener opener) { Installed().urlOpener = std::move(opener); }

void MessageBox(const QString &message)
{
    if (const MessageShower &shower = Installed().messageShower) {
        shower(message);
        return;
    }
    CheckUIThread();
    auto *box = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(), message,
                                QMessageBox::Ok, QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Not exec(): the handler that asked goes on at once, and the box is
    // answered on the program's one event loop.
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

void SetMessageShower(MessageShower shower) { Installed().messageShower = std::move(shower); }

} // namespace tickora::runtime
