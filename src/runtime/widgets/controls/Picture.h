#pragma once

#include "runtime/core/Properties.h"
#include "runtime/core/Ref.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tickora::runtime {

// A picture of the application bundle. Pictures are shared objects: who holds
// one holds that very object, so comparing references compares identity.
class Picture : public Object {
public:
    explicit Picture(QPixmap pixmap, QString bundleFile = {});

    // Loads the bundle picture of that name, or returns nil when there is none.
    // A name without an extension finds the PNG of that name. On a high-density
    // screen the double-resolution file ("name@2x.png") is taken when the bundle has it.
    static Ref<Picture> OpenFromApp(const QString &name);
    // The bundle picture of that name as an icon, in every resolution the
    // bundle has it; an empty icon when there is none. Where `held`, a picture
    // the program keeps, was loaded from one of those files, the icon shows
    // its very pixels rather than a second copy.
    static QIcon IconFromApp(const QString &name, const Ref<Picture> &held = {});

    const QPixmap &Pixmap() const { return m_pixmap; }
    // The bundle file it was loaded from ("icon80@2x.png"); empty for any other picture.
    const QString &BundleFile() const { return m_bundleFile; }

private:
    QPixmap m_pixmap;
    QString m_bundleFile;
};

} // namespace tickora::runtime
