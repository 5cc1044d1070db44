#include "runtime/widgets/controls/Picture.h"

#include "runtime/core/Boundary.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace tickora::runtime {

namespace {
const QString kBundleRoot = QStringLiteral(":/pictures/");
}

Picture::Picture(QPixmap pixmap) : m_pixmap(std::move(pixmap)) {}

Ref<Picture> Picture::OpenFromApp(const QString &name)
{
    CheckUIThread();
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    const QFileInfo info(name);
    const QString base = info.suffix().isEmpty() ? name : info.completeBaseName();
    const QString extension = info.suffix().isEmpty() ? QStringLiteral("png") : info.suffix();

    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        QPixmap sharp;
        if (sharp.load(kBundleRoot + base + QStringLiteral("@2x.") + extension)) {
            sharp.setDevicePixelRatio(2.0);
            return NewObject<Picture>(std::move(sharp));
        }
    }
    QPixmap pixmap;
    if (!pixmap.load(kBundleRoot + base + QLatin1Char('.') + extension))
        return {};
    return NewObject<Picture>(std::move(pixmap));
}

QIcon Picture::IconFromApp(const QString &name)
{
    QIcon icon;
    for (const QString &file : {name + QStringLiteral(".png"), name + QStringLiteral("@2x.png")}) {
        QPixmap pixmap;
        if (name.contains(QLatin1Char('/')) || !pixmap.load(kBundleRoot + file))
            continue;
        // Each file is an icon of its own pixel size (80 and 160), not a
        // sharper copy of the same one.
        pixmap.setDevicePixelRatio(1.0);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace tickora::runtime
