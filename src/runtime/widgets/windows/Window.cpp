#include "runtime/widgets/windows/Window.h"

#include "runtime/core/Boundary.h"
#include "runtime/core/Process.h"
#include "runtime/widgets/controls/Picture.h"
#include "runtime/widgets/windows/WindowRegistry.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace tickora::runtime {

namespace {

// The window's outer widget. It holds the in-window menu bar and the content
// area; closing it through the title bar closes the runtime window.
class WindowFrame final : public QWidget {
public:
    explicit WindowFrame(Window &owner) : m_owner(owner) { setAttribute(Qt::WA_DeleteOnClose, false); }

    // Whether the window may be minimised although Qt counts it as shown: a
    // Wayland compositor never tells a window that it is minimised, and Qt
    // takes it as shown again as soon as it has asked. Minimised it stays
    // until the window is active again.
    bool MayBeMinimised() const { return m_minimised; }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        RunCallback([this] { m_owner.Close(); });
    }
    void moveEvent(QMoveEvent *) override { m_owner.FrameMoved(); }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (m_owner.RaiseKeyDown(*event))
            event->accept();
        else
            QWidget::keyPressEvent(event);
    }
    void keyReleaseEvent(QKeyEvent *event) override
    {
        m_owner.KeyReleased(*event);
        QWidget::keyReleaseEvent(event);
    }
    void showEvent(QShowEvent *) override
    {
        // Minimising comes from the program or from the title bar's button,
        // which Qt draws on Wayland; either way the state says so, if only
        // for a moment.
        if (!m_watching && windowHandle() && QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            m_watching = true;
            connect(windowHandle(), &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
                if (state == Qt::WindowMinimized)
                    m_minimised = true;
            });
        }
    }
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::ActivationChange && isActiveWindow())
            m_minimised = false;
        QWidget::changeEvent(event);
    }

private:
    Window &m_owner;
    bool m_watching = false;
    bool m_minimised = false;
};

// To screen readers the frame is a window (a "frame" in AT-SPI) named by its
// title, not an anonymous filler.
QAccessibleInterface *FrameInterface(const QString &, QObject *object)
{
    auto *frame = dynamic_cast<WindowFrame *>(object);
    return frame ? new QAccessibleWidget(frame, QAccessible::Window) : nullptr;
}

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

} // namespace

Window::Window()
{
    static const bool framesKnown = (QAccessible::installFactory(&FrameInterface), true);
    (void)framesKnown;
    auto *frame = new WindowFrame(*this);
    auto *content = new ContentArea(*this, frame);
    m_frameObject = frame;
    m_contentObject = content;
    m_placement.emplace(*frame);
    m_menuKeys.emplace(*frame, *content);
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
        control->m_host = nullptr;
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

    // The window may be closing from inside one of its own handlers: keep it
    // alive until the event loop comes back, then let it go.
    auto self = shared_from_this();
    const bool endsProgram = UnregisterWindow(*this, Description().Name);
    if (Widget()) {
        Widget()->hide();
        Widget()->deleteLater();
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), [self] {}, Qt::QueuedConnection);
    if (lastEndsProgram && endsProgram)
        Quit(0);
}

void Window::Constructor()
{
    CheckLive();
    auto self = shared_from_this();
    RegisterWindow(self, Description().Name);
    if (const Ref<runtime::MenuBar> bar = ApplicationMenuBar())
        Widget()->addActions(ApplicationMenuActions(*bar));

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
        ApplyTabOrder();
        if (!m_closed && HandlesEvent(QStringLiteral("KeyDown")))
            Widget()->setFocus(Qt::OtherFocusReason);
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
        if (IsStartingUp())
            return;
        m_shown = true;
        // DefaultLocation 2: centred on the main screen. Otherwise the
        // platform places the window, unless the program already did.
        if (!m_placement->IsPlaced() && m_defaultLocation == 2)
            m_placement->CentreOnMainScreen();
    }
    QWidget &widget = *Widget();
    // Showing a window the user has minimised brings it back. Qt still counts
    // it as visible, so show() alone would leave it iconic, and under a
    // window manager without a task bar the user would have no way back to
    // it. Leaving the minimised state maps it again; the activation waits
    // for the window manager to have mapped it.
    if (widget.windowState() & Qt::WindowMinimized) {
        widget.setWindowState(widget.windowState() & ~Qt::WindowMinimized);
    } else if (static_cast<WindowFrame &>(widget).MayBeMinimised()) {
        // A Wayland compositor takes no request to bring a minimised window
        // back (and weston, for one, takes no request to activate it either).
        // Hidden and shown again, the window is a new one to the compositor,
        // which shows it where it pleases: a native Wayland window cannot
        // place itself anyway.
        widget.hide();
    }
    widget.show();
    widget.raise();
    widget.activateWindow();
}

void Window::ShowIfWaiting()
{
    if (m_visible && !m_shown)
        ShowNow();
}

void Window::AddControl(const QString &name, Ref<Control> control)
{
    CheckLive();
    if (!control)
        throw NilObjectException(QStringLiteral("nil control added as %1").arg(name));
    if (control->Host() != static_cast<ControlHost *>(this))
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

QObject *Window::ControlArea() const { return m_contentObject; }

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
    return m_placement->Position().y();
}

void Window::SetTop(std::int64_t top)
{
    CheckLive();
    m_placement->MoveTo({m_placement->Position().x(), ToInt(top)});
}

std::int64_t Window::Left() const
{
    CheckLive();
    return m_placement->Position().x();
}

void Window::SetLeft(std::int64_t left)
{
    CheckLive();
    m_placement->MoveTo({ToInt(left), m_placement->Position().y()});
}

void Window::FrameMoved()
{
    if (!m_closed)
        m_placement->FrameMoved();
}

void Window::UpdateShownControls()
{
    for (const Ref<Control> &control : m_controls)
        control->UpdateShown();
}

bool Window::HandleMenuCommand(const QString &itemName)
{
    auto it = m_menuHandlers.constFind(itemName);
    if (it == m_menuHandlers.constEnd())
        return false;
    MenuHandler handler = *it;
    return handler();
}

} // namespace tickora::runtime
