#pragma once

#include "runtime/widgets/controls/Picture.h"
#include "runtime/core/Ref.h"

#include <functional>

namespace tickora {

using PictureRef = runtime::Ref<runtime::Picture>;

// The routine behind every named picture: loaded from the bundle on first use,
// then the very same object on every call. A failed load is not remembered, so
// the next call tries again. The main window's buttons and lamps compare the
// picture they show with these by identity, so identity is their state.
class NamedPicture {
public:
    using Loader = std::function<PictureRef(const QString &)>;

    explicit NamedPicture(QString resourceName, Loader loader = &runtime::Picture::OpenFromApp);

    PictureRef Get();

private:
    QString m_resourceName;
    Loader m_loader;
    bool m_loadedOnce = false;
    PictureRef m_cache;
};

// The sixteen pictures of the bundle. The names they load by are exact: eight
// carry ".png", eight have no extension.
PictureRef lap78();
PictureRef reset78();
PictureRef start78();
PictureRef stop78();
PictureRef lap_hell();
PictureRef reset_hell();
PictureRef start_hell();
PictureRef stop_hell();
PictureRef studioScreen();
PictureRef icon80();
PictureRef green13();
PictureRef red13();
PictureRef blau13();
PictureRef button_gelb();
PictureRef backTrans();
PictureRef timeback1();

} // namespace tickora
