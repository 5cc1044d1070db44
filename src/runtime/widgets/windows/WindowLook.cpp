#include "runtime/widgets/windows/Window.h"

#include "runtime/core/Boundary.h"
#include "runtime/widgets/controls/Picture.h"

#include <QMenuBar>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

// The window's look: its size and its limits, its buttons, title, colours,
// backdrop and menu bar, its opacity, and the property list that sets them.
namespace tickora::runtime {

namespace {

int ToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, -32000, 32000));
}

} // namespace

std::int64_t Window::Width() const
{
    CheckLive();
    return m_width;
}

void Window::SetWidth(std::int64_t width)
{
    CheckLive();
    m_width = width;
    ApplyGeometry();
}

std::int64_t Window::Height() const
{
    CheckLive();
    return m_height;
}

void Window::SetHeight(std::int64_t height)
{
    CheckLive();
    m_height = height;
    ApplyGeometry();
}

void Window::SetMinimumWidth(std::int64_t width)
{
    CheckLive();
    m_minWidth = width;
    ApplyGeometry();
}

void Window::SetMinimumHeight(std::int64_t height)
{
    CheckLive();
    m_minHeight = height;
    ApplyGeometry();
}

void Window::SetMaximumWidth(std::int64_t width)
{
    CheckLive();
    m_maxWidth = width;
    ApplyGeometry();
}

void Window::SetMaximumHeight(std::int64_t height)
{
    CheckLive();
    m_maxHeight = height;
    ApplyGeometry();
}

std::int64_t Window::MenuBarHeight() const
{
    if (!MenuBarWidget() || !m_menuBarVisible || MenuBarWidget()->isNativeMenuBar())
        return 0;
    return MenuBarWidget()->sizeHint().height();
}

void Window::ApplyGeometry()
{
    if (!Widget())
        return;
    // The program sets sizes in any order (a list gives Height before
    // MaximumHeight), so the limits apply to what the user can do, never to
    // what the program asks for.
    const int width = ToInt(std::max<std::int64_t>(m_width, 1));
    const int height = ToInt(std::max<std::int64_t>(m_height, 1));
    const int menuHeight = static_cast<int>(MenuBarHeight());
    if (MenuBarWidget()) {
        MenuBarWidget()->setVisible(menuHeight > 0);
        MenuBarWidget()->setGeometry(0, 0, width, menuHeight);
    }
    m_menuKeys->SetEnabled(menuHeight == 0);
    ContentWidget()->setGeometry(0, menuHeight, width, height);
    // What lies outside the content area can no longer be seen, or now can.
    UpdateShownControls();
    const QSize total(width, height + menuHeight);
    if (m_resizeable) {
        Widget()->setMinimumSize(std::min(ToInt(m_minWidth), width),
                                std::min(ToInt(m_minHeight), height) + menuHeight);
        Widget()->setMaximumSize(std::max(ToInt(m_maxWidth), width),
                                std::max(ToInt(m_maxHeight), height) + menuHeight);
        Widget()->resize(total);
    } else {
        Widget()->setFixedSize(total);
    }
}

void Window::ApplyWindowFlags()
{
    if (!Widget())
        return;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (m_closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (m_minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (m_maximizeButton && m_resizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    if (Widget()->windowFlags() == flags)
        return;
    const bool shown = Widget()->isVisible();
    Widget()->setWindowFlags(flags);
    if (shown)
        Widget()->show();
}

QString Window::Title() const
{
    CheckLive();
    return Widget()->windowTitle();
}

void Window::SetTitle(const QString &title)
{
    CheckLive();
    Widget()->setWindowTitle(title);
}

bool Window::Visible() const
{
    CheckLive();
    return m_constructing ? m_visible : Widget()->isVisible();
}

void Window::SetVisible(bool visible)
{
    CheckLive();
    m_visible = visible;
    if (m_constructing)
        return;
    if (visible)
        ShowNow();
    else
        Widget()->hide();
}

void Window::SetHasCloseButton(bool has)
{
    CheckLive();
    m_closeButton = has;
    ApplyWindowFlags();
}

void Window::SetHasMinimizeButton(bool has)
{
    CheckLive();
    m_minimizeButton = has;
    ApplyWindowFlags();
}

void Window::SetHasMaximizeButton(bool has)
{
    CheckLive();
    m_maximizeButton = has;
    ApplyWindowFlags();
}

void Window::SetResizeable(bool resizeable)
{
    CheckLive();
    m_resizeable = resizeable;
    ApplyWindowFlags();
    ApplyGeometry();
}

void Window::SetDefaultLocation(std::int64_t location)
{
    CheckLive();
    m_defaultLocation = location;
}

void Window::SetHasBackgroundColor(bool has)
{
    CheckLive();
    m_hasBackgroundColor = has;
    ContentWidget()->update();
}

void Window::SetBackgroundColor(Color colour)
{
    CheckLive();
    m_backgroundColor = colour;
    // Controls that paint an opaque background take the window's colour.
    QPalette palette = ContentWidget()->palette();
    palette.setColor(QPalette::Window, colour.ToQColor());
    ContentWidget()->setPalette(palette);
    ContentWidget()->update();
}

void Window::SetMenuBarVisible(bool visible)
{
    CheckLive();
    m_menuBarVisible = visible;
    ApplyGeometry();
}

void Window::SetBackdrop(Ref<Picture> picture)
{
    CheckLive();
    m_backdrop = std::move(picture);
    ContentWidget()->update();
}

void Window::SetMenuBar(Ref<runtime::MenuBar> menuBar)
{
    CheckLive();
    delete m_menuBarObject.data();
    m_menuBar = std::move(menuBar);
    if (m_menuBar)
        m_menuBarObject = BuildMenuBar(*m_menuBar, Widget());
    ApplyGeometry();
}

std::int64_t Window::Handle() const
{
    CheckLive();
    return static_cast<std::int64_t>(Widget()->winId());
}

// Qt keeps a window's opacity in 256 steps; the window reports the value it was given.
double Window::Opacity() const
{
    CheckLive();
    return m_opacity;
}

void Window::SetOpacity(double opacity)
{
    CheckLive();
    m_opacity = std::isnan(opacity) ? 1.0 : std::clamp(opacity, 0.0, 1.0);
    Widget()->setWindowOpacity(m_opacity);
}

void Window::SetProperty(std::string_view name, const PropertyValue &value)
{
    using T = PropertyTable<Window>;
    static const T table{
        T::Setter("Width", &Window::SetWidth),
        T::Setter("Height", &Window::SetHeight),
        T::Setter("MinimumWidth", &Window::SetMinimumWidth),
        T::Setter("MinimumHeight", &Window::SetMinimumHeight),
        T::Setter("MaximumWidth", &Window::SetMaximumWidth),
        T::Setter("MaximumHeight", &Window::SetMaximumHeight),
        T::Setter("Top", &Window::SetTop),
        T::Setter("Left", &Window::SetLeft),
        T::Setter("Title", &Window::SetTitle),
        T::Setter("HasCloseButton", &Window::SetHasCloseButton),
        T::Setter("HasMaximizeButton", &Window::SetHasMaximizeButton),
        T::Setter("HasMinimizeButton", &Window::SetHasMinimizeButton),
        T::Setter("Resizeable", &Window::SetResizeable),
        T::Setter("DefaultLocation", &Window::SetDefaultLocation),
        T::Setter("Visible", &Window::SetVisible),
        T::Setter("HasBackgroundColor", &Window::SetHasBackgroundColor),
        T::Setter("BackgroundColor", &Window::SetBackgroundColor),
        T::Setter("MenuBarVisible", &Window::SetMenuBarVisible),
        // Window kinds and looks of macOS that this platform has no
        // counterpart for; kept as given.
        T::Inert<std::int64_t>("Type"),
        T::Inert<bool>("HasFullScreenButton"),
        T::Inert<bool>("Composite"),
        T::Inert<std::int64_t>("MacProcID"),
        T::Inert<bool>("FullScreen"),
        T::Inert<bool>("LiveResize"),
    };
    CheckLive();
    if (!table.Apply(*this, name, value))
        Object::SetProperty(name, value);
}

} // namespace tickora::runtime
