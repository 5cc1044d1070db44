#include "app/shared/Pictures.h"

namespace tickora {

NamedPicture::NamedPicture(QString resourceName, Loader loader)
    : m_resourceName(std::move(resourceName)), m_loader(std::move(loader))
{
}

PictureRef NamedPicture::Get()
{
    if (!m_loadedOnce) {
        m_loadedOnce = true;
        m_cache = nullptr;
    }
    if (!m_cache)
        m_cache = m_loader(m_resourceName);
    return m_cache;
}

// One cache per name, made on first use and kept for the life of the process:
// never destroyed, so that windows still open when an exit() ends the process
// keep their pictures.
PictureRef lap78() { static NamedPicture &p = *new NamedPicture(QStringLiteral("lap78.png")); return p.Get(); }
PictureRef reset78() { static NamedPicture &p = *new NamedPicture(QStringLiteral("reset78.png")); return p.Get(); }
PictureRef start78() { static NamedPicture &p = *new NamedPicture(QStringLiteral("start78.png")); return p.Get(); }
PictureRef stop78() { static NamedPicture &p = *new NamedPicture(QStringLiteral("stop78.png")); return p.Get(); }
PictureRef lap_hell() { static NamedPicture &p = *new NamedPicture(QStringLiteral("lap_hell.png")); return p.Get(); }
PictureRef reset_hell() { static NamedPicture &p = *new NamedPicture(QStringLiteral("reset_hell.png")); return p.Get(); }
PictureRef start_hell() { static NamedPicture &p = *new NamedPicture(QStringLiteral("start_hell.png")); return p.Get(); }
PictureRef stop_hell() { static NamedPicture &p = *new NamedPicture(QStringLiteral("stop_hell.png")); return p.Get(); }
PictureRef studioScreen() { static NamedPicture &p = *new NamedPicture(QStringLiteral("studioScreen")); return p.Get(); }
PictureRef icon80() { static NamedPicture &p = *new NamedPicture(QStringLiteral("icon80")); return p.Get(); }
PictureRef green13() { static NamedPicture &p = *new NamedPicture(QStringLiteral("green13")); return p.Get(); }
PictureRef red13() { static NamedPicture &p = *new NamedPicture(QStringLiteral("red13")); return p.Get(); }
PictureRef blau13() { static NamedPicture &p = *new NamedPicture(QStringLiteral("blau13")); return p.Get(); }
PictureRef button_gelb() { static NamedPicture &p = *new NamedPicture(QStringLiteral("button_gelb")); return p.Get(); }
PictureRef backTrans() { static NamedPicture &p = *new NamedPicture(QStringLiteral("backTrans")); return p.Get(); }
PictureRef timeback1() { static NamedPicture &p = *new NamedPicture(QStringLiteral("timeback1")); return p.Get(); }

} // namespace tickora
