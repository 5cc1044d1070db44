#include "runtime/Window.h"

#include "runtime/Boundary.h"
#include "runtime/Canvas.h"
#include "runtime/Menu.h"
#include "runtime/Picture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace tickora::runtime {

namespace {

struct Registry {
    std::vector<Ref<Window>> open;
    QHash<QString, std::weak_ptr<Window>> implicit;
    // Start-up is under way: the window it builds first is the
    // application's default window, and first shows wait for its end.
    bool startingUp = false;
    std::weak_ptr<Window> defaultWindow;
};

// Never destroyed, like every registry of the runtime (see Runtime.cpp): an
// exit() from inside the event loop leaves the open windows alone.
Registry &Windows()
{
    static Registry &registry = *new Registry;
    return registry;
}

// The window's outer widget. It holds the in-window menu bar and the content
// area; closing it through the title bar closes the runtime window.
class WindowFrame final : public QWidget {
public:
    explicit WindowFrame(Window &owner) : m_owner(owner) { setAttribute(Qt::WA_DeleteOnClose, false); }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        RunCallback([this] { m_owner.Close(); });
    }
    void moveEvent(QMoveEvent *) override { m_owner.FrameMoved(); }

private:
    Window &m_owner;
};

// The content area: the window's background colour and backdrop picture, and
// the parent of every control widget.
class ContentArea final : public QWidget {
public:
    ContentArea(Window &owner, QWidget *parent) : QWidget(parent), m_owner(owner)
    {
        setObjectName(QStringLiteral("content"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_owner.PaintContent(painter);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        const QPoint at = event->position().toPoint();
        m_owner.RaiseMouseDown(at.x(), at.y());
    }

private:
    Window &m_owner;
};

int ToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, -32000, 32000));
}

// The frame around a shown window as the window manager reports it; none
// before it has reported one, and none without a window manager.
QMargins ReportedFrameMargins(const QWidget &widget)
{
    const QWindow *handle = widget.windowHandle();
    if (!widget.isVisible() || !handle || !handle->handle())
        return {};
    return handle->frameMargins();
}

// The frame the window manager last drew around one of our windows. A window
// about to open is expected to get the same, so that it can be centred by its
// frame before the window manager has said a word about it.
QMargins &LastFrameMargins()
{
    static QMargins margins;
    return margins;
}

} // namespace

Window::Window()
{
    auto *frame = new WindowFrame(*this);
    m_frameObject = frame;
    m_contentObject = new ContentArea(*this, frame);
    InstallApplicationMenuKeys();
    ApplyWindowFlags();
    ApplyGeometry();
}

QWidget *Window::Widget() const { return static_cast<QWidget *>(m_frameObject.data()); }
QWidget *Window::ContentWidget() const { return static_cast<QWidget *>(m_contentObject.data()); }
QMenuBar *Window::MenuBarWidget() const { return static_cast<QMenuBar *>(m_menuBarObject.data()); }

Window::~Window()
{
    for (const Ref<Control> &control : m_controls) {
        control->WindowClosed();
        // A control someone still holds finds no window from now on.
        control->m_window = nullptr;
    }
    delete m_frameObject.data();
}

void Window::CheckLive() const
{
    CheckUIThread();
    if (!Widget())
        throw NilObjectException(QStringLiteral("window is closed"));
}

void Window::Close() { CloseWindow(true); }

void Window::CloseWindow(bool lastEndsProgram)
{
    CheckUIThread();
    if (m_closed)
        return;
    m_closed = true;
    for (const Ref<Control> &control : m_controls)
        control->WindowClosed();

    Registry &registry = Windows();
    auto implicit = registry.implicit.find(Description().Name);
    if (implicit != registry.implicit.end() && implicit->lock().get() == this)
        registry.implicit.erase(implicit);

    // The window may be closing from inside one of its own handlers: keep it
    // alive until the event loop comes back, then let it go.
    auto self = shared_from_this();
    std::erase_if(registry.open, [this](const Ref<Window> &w) { return w.Get() == this; });
    if (Widget()) {
        Widget()->hide();
        Widget()->deleteLater();
    }
    QMetaObject::invokeMethod(qApp, [self] {}, Qt::QueuedConnection);

    // The default window is the program: when it closes, the program ends,
    // whatever else is open. So it does when its last window closes.
    if (lastEndsProgram && (registry.open.empty() || registry.defaultWindow.lock() == self))
        Quit(0);
}

void Window::Constructor()
{
    CheckLive();
    Registry &registry = Windows();
    auto self = shared_from_this();
    if (!registry.implicit.value(Description().Name).lock())
        registry.implicit.insert(Description().Name, self);
    registry.open.push_back(self);
    if (registry.startingUp && !registry.defaultWindow.lock())
        registry.defaultWindow = self;
    if (Ref<Application> app = GetAppObject(); app && app->MenuBar())
        Widget()->addActions(ApplicationMenuActions(*app->MenuBar()));

    m_constructing = true;
    try {
        if (HandlesEvent(QStringLiteral("CreateControls")))
            CreateControls();
        if (HandlesEvent(QStringLiteral("Layout")))
            Layout();
        if (HandlesEvent(QStringLiteral("AddMenuHandlers")))
            AddMenuHandlers(Ref<Object>(self));
        for (const Ref<Control> &control : m_controls)
            control->RaiseOpen();
        if (HandlesEvent(QStringLiteral("Open")))
            Event_Open();
    } catch (...) {
        // A window that could not be built is not a window the user closed:
        // the failure, not an ordinary quit, decides how the program ends.
        m_constructing = false;
        CloseWindow(false);
        throw;
    }
    m_constructing = false;
    if (m_visible)
        ShowNow();
}

void Window::Show()
{
    CheckLive();
    m_visible = true;
    if (!m_constructing)
        ShowNow();
}

void Window::ShowNow()
{
    if (!Widget() || m_closed)
        return;
    if (!m_shown) {
        if (Windows().startingUp)
            return;
        m_shown = true;
        // DefaultLocation 2: centred on the main screen. Otherwise the
        // platform places the window, unless the program already did.
        if (!m_placed && m_defaultLocation == 2) {
            m_centred = true;
            PlaceFrame(CentredOnMainScreen());
        }
    }
    QWidget &widget = *Widget();
    // Showing a window the user has minimised brings it back. Qt still counts
    // it as visible, so show() alone would leave it iconic, and under a
    // window manager without a task bar the user would have no way back to
    // it. Leaving the minimised state maps it again; the activation waits
    // for the window manager to have mapped it.
    if (widget.windowState() & Qt::WindowMinimized)
        widget.setWindowState(widget.windowState() & ~Qt::WindowMinimized);
    widget.show();
    widget.raise();
    widget.activateWindow();
}

void Window::InstallApplicationMenuKeys()
{
#ifndef Q_OS_MACOS
    // The application menu belongs to the whole program, as a global menu
    // would: a window that shows no menu bar opens it from the keyboard as a
    // window with one does, as a pop-up over its content, so that its size
    // stays what its layout says. While a bar of its own is shown, the bar
    // answers these keys itself.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::Key_F10), QKeySequence::mnemonic(ApplicationMenuTitle())}) {
        if (keys.isEmpty())
            continue;
        auto *shortcut = new QShortcut(keys, Widget());
        QObject::connect(shortcut, &QShortcut::activated, shortcut, [this] { PopUpApplicationMenu(); });
        m_menuKeyObjects.emplace_back(shortcut);
    }
#endif
}

void Window::PopUpApplicationMenu()
{
    const Ref<Application> app = GetAppObject();
    if (!app || !app->MenuBar() || m_closed || !Widget())
        return;
    // Built afresh from the application's menu bar each time, from the very
    // actions the bar's menu shows, so an item chosen here runs once, as there.
    QMenu *menu = BuildApplicationMenu(*app->MenuBar(), Widget());
    if (!menu)
        return;
    // However it goes away (an item, Escape, a click elsewhere), it goes;
    // later, as the item it hides for has yet to run.
    QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->popup(ContentWidget()->mapToGlobal(QPoint(0, 0)));
    ChooseFirstItem(*menu);
}

void Window::AddControl(const QString &name, Ref<Control> control)
{
    CheckLive();
    if (!control)
        throw NilObjectException(QStringLiteral("nil control added as %1").arg(name));
    if (control->OwnerWindow() != this)
        throw IllegalCastException(QStringLiteral("control %1 belongs to another window").arg(name));
    control->SetName(name);
    m_controlsByName.insert(name, control);
    m_controls.push_back(std::move(control));
}

void Window::AddMenuHandler(const QString &itemName, MenuHandler handler)
{
    CheckLive();
    m_menuHandlers.insert(itemName, std::move(handler));
}

Ref<Control> Window::ControlByName(const QString &name) const
{
    CheckUIThread();
    return m_controlsByName.value(name);
}

Control *Window::FindControl(const QString &name) const { return m_controlsByName.value(name).Get(); }

void Window::CreateCanvas(const QString &name, Ref<Picture> firstPicture, const PropertyList &list)
{
    Ref<Canvas> made = New<Canvas>();
    made->Constructor();
    AddControl(name, std::move(made));
    ControlAs<Canvas>(name)->SetBackdrop(std::move(firstPicture));
    SetProperties(*ControlAs<Canvas>(name), list);
}

void Window::CreateControls() {}
void Window::Layout() {}
void Window::Event_Open() {}
bool Window::Event_MouseDown(std::int64_t, std::int64_t) { return false; }
void Window::AddMenuHandlers(Ref<Object>) {}

void Window::RaiseMouseDown(std::int64_t x, std::int64_t y)
{
    if (HandlesEvent(QStringLiteral("MouseDown")))
        RunCallback([&] { return Event_MouseDown(x, y); }, false);
}

void Window::PaintContent(QPainter &painter)
{
    if (m_hasBackgroundColor)
        painter.fillRect(ContentWidget()->rect(), m_backgroundColor.ToQColor());
    if (m_backdrop)
        painter.drawPixmap(0, 0, m_backdrop->Pixmap());
}

std::int64_t Window::Top() const
{
    CheckLive();
    return FramePosition().y();
}

void Window::SetTop(std::int64_t top)
{
    CheckLive();
    m_placed = true;
    m_centred = false;
    PlaceFrame({FramePosition().x(), ToInt(top)});
}

std::int64_t Window::Left() const
{
    CheckLive();
    return FramePosition().x();
}

void Window::SetLeft(std::int64_t left)
{
    CheckLive();
    m_placed = true;
    m_centred = false;
    PlaceFrame({ToInt(left), FramePosition().y()});
}

QPoint Window::FramePosition() const
{
    // Once the frame is known, Qt gives a window's place as its frame's.
    return m_frameRequest.value_or(Widget()->pos());
}

void Window::PlaceFrame(QPoint topLeft)
{
    QWidget &widget = *Widget();
    if (!ReportedFrameMargins(widget).isNull()) {
        m_frameRequest.reset();
        widget.move(topLeft);
        return;
    }
    // Until the window manager has drawn the frame, a window that has no
    // native window yet asks for its frame's place when it opens (before
    // that, Qt's move names the frame's place); one that has would get its
    // content put there and its title bar above it, so it asks for the
    // frame's place itself. Either way the place is checked once the frame
    // is there.
    m_frameRequest = topLeft;
    widget.move(topLeft);
    if (QWindow *handle = widget.windowHandle(); handle && handle->handle())
        handle->setFramePosition(topLeft);
}

void Window::FrameMoved()
{
    if (!m_frameRequest || m_closed || !Widget())
        return;
    const QMargins margins = ReportedFrameMargins(*Widget());
    if (margins.isNull())
        return;
    LastFrameMargins() = margins;
    const QPoint wanted = m_centred ? CentredOnMainScreen() : *m_frameRequest;
    m_frameRequest.reset();
    // A window manager that placed the frame elsewhere, or a frame of
    // another size than the one the centring expected.
    if (Widget()->pos() != wanted)
        Widget()->move(wanted);
}

QPoint Window::CentredOnMainScreen() const
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return FramePosition();
    const QMargins reported = ReportedFrameMargins(*Widget());
    const QSize outer = Widget()->size().grownBy(reported.isNull() ? LastFrameMargins() : reported);
    const QRect area = screen->availableGeometry();
    return area.topLeft() + QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
}

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
    // Two shortcuts on one key in one window would make Qt refuse both.
    for (const QPointer<QObject> &keys : m_menuKeyObjects)
        if (keys)
            static_cast<QShortcut *>(keys.data())->setEnabled(menuHeight == 0);
    ContentWidget()->setGeometry(0, menuHeight, width, height);
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

void Window::SetAlphaValue(std::int64_t handle, double alpha)
{
    CheckUIThread();
    for (const Ref<Window> &window : Windows().open) {
        if (window->Widget() && window->Widget()->internalWinId()
            && static_cast<std::int64_t>(window->Widget()->internalWinId()) == handle) {
            window->SetOpacity(alpha);
            return;
        }
    }
    throw NilObjectException(QStringLiteral("no window has that handle"));
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

void Window::UpdateShownControls()
{
    for (const Ref<Control> &control : m_controls)
        if (auto *rect = dynamic_cast<RectControl *>(control.Get()))
            rect->UpdateShown();
}

Ref<Window> Window::GetImplicitWindow(const QString &className)
{
    CheckUIThread();
    return Ref<Window>(Windows().implicit.value(className).lock());
}

std::vector<Ref<Window>> Window::OpenWindows() { return Windows().open; }

void Window::SetStartingUp(bool startingUp)
{
    CheckUIThread();
    Registry &registry = Windows();
    registry.startingUp = startingUp;
    if (startingUp)
        return;
    const std::vector<Ref<Window>> open = registry.open;
    for (const Ref<Window> &window : open)
        if (window->m_visible && !window->m_shown)
            window->ShowNow();
}

void Window::ReleaseAll()
{
    Registry &registry = Windows();
    registry.implicit.clear();
    registry.defaultWindow.reset();
    std::vector<Ref<Window>> open;
    open.swap(registry.open);
    for (const Ref<Window> &window : open)
        window->m_closed = true;
}

bool Window::HandleMenuCommandInActiveWindow(const QString &itemName)
{
    QWidget *active = QApplication::activeWindow();
    if (!active)
        return false;
    for (const Ref<Window> &window : Windows().open) {
        if (window->Widget() != active)
            continue;
        auto it = window->m_menuHandlers.constFind(itemName);
        if (it == window->m_menuHandlers.constEnd())
            return false;
        MenuHandler handler = *it;
        return handler();
    }
    return false;
}

} // namespace tickora::runtime
