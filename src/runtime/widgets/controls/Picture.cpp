#include "runtime/widgets/controls/Picture.h"

#include "runtime/core/Boundary.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace tickora::runtime {

namespace {
const QString kBundleRoot = QStringLiteral(":/pictures/");
}

Picture::Picture(QPixmap pixmap, QString bundleFile) : m_pixmap(std::move(pixmap)), m_bundleFile(std::move(bundleFile)) {}

Ref<Picture> Picture::OpenFromApp(const QString &name)
{
    CheckUIThread();
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    const QFileInfo info(name);
    const QString base = info.suffix().isEmpty() ? name : info.completeBaseName();
    const QString extension = info.suffix().isEmpty() ? QStringLiteral("png") : info.suffix();

    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        const QString sharpFile = base + QStringLiteral("@2x.") + extension;
        QPixmap sharp;
        if (sharp.load(kBundleRoot + sharpFile)) {
            sharp.setDevicePixelRatio(2.0);
            return NewObject<Picture>(std::move(sharp), sharpFile);
        }
    }
    const QString file = base + QLatin1Char('.') + extension;
    QPixmap pixmap;
    if (!pixmap.load(kBundleRoot + file))
        return {};
    return NewObject<Picture>(std::move(pixmap), file);
}

QIcon Picture::IconFromApp(const QString &name, const Ref<Picture> &held)
{
    QIcon icon;
    if (name.contains(QLatin1Char('/')))
        return icon;
    for (const QString &file : {name + QStringLiteral(".png"), name + QStringLiteral("@2x.png")}) {
        // Each file is an icon of its own pixel size (80 and 160), not a
        // sharper copy of the same one: at scale 1. A held picture of the
        // double-resolution file is at scale 2, which on the high-density
        // screen it was loaded for draws the icon the same.
        if (held && held->BundleFile() == file
            && (held->Pixmap().devicePixelRatio() == 1.0 || (qGuiApp && qGuiApp->devicePixelRatio() > 1.0))) {
            icon.addPixmap(held->Pixmap());
            continue;
        }
        // Read past Qt's pixmap cache: the file name's "@2x" gives the picture
        // scale 2, and setting it to 1 on a picture the cache shares would
        // copy all its pixels.
        QImage image = QImageReader(kBundleRoot + file).read();
        if (image.isNull())
            continue;
        image.setDevicePixelRatio(1.0);
        icon.addPixmap(QPixmap::fromImage(std::move(image)));
    }
    return icon;
}

} // namespace tickora::runtime
