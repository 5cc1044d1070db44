#include "runtime/core/Screen.h"

#include "runtime/core/Boundary.h"

#include <QGuiApplication>
#include <QScreen>

namespace tickora::runtime {

namespace {

std::optional<std::int64_t> &MainScreenWidthOverride()
{
    static std::optional<std::int64_t> width;
    return width;
}

QScreen *ScreenOf(int index)
{
    if (index == 0)
        return QGuiApplication::primaryScreen();
    const QList<QScreen *> screens = QGuiApplication::screens();
    // Screen 0 is the main screen wherever Qt lists it; the others follow in Qt's order.
    QList<QScreen *> others;
    for (QScreen *screen : screens)
        if (screen != QGuiApplication::primaryScreen())
            others.append(screen);
    return index > 0 && index <= others.size() ? others.at(index - 1) : nullptr;
}

} // namespace

Screen::Screen(int index) : m_index(index) {}

Ref<Screen> Screen::At(int index)
{
    CheckUIThread();
    if (index < 0 || (!ScreenOf(index) && !(index == 0 && MainScreenWidthOverride())))
        return {};
    return NewObject<Screen>(index);
}

std::int64_t Screen::Width() const
{
    CheckUIThread();
    if (m_index == 0 && MainScreenWidthOverride())
        return *MainScreenWidthOverride();
    QScreen *screen = ScreenOf(m_index);
    if (!screen)
        throw NilObjectException(QStringLiteral("screen %1 is gone").arg(m_index));
    return screen->geometry().width();
}

void Screen::SetMainScreenWidthForTesting(std::optional<std::int64_t> width)
{
    MainScreenWidthOverride() = width;
}

} // namespace tickora::runtime
