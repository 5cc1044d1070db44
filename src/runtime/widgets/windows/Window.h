#pragma once

#include "runtime/core/Classes.h"
#include "runtime/core/Control.h"
#include "runtime/core/Event.h"
#include "runtime/core/Properties.h"
#include "runtime/core/Ref.h"
#include "runtime/widgets/windows/FramePlacement.h"
#include "runtime/widgets/windows/Menu.h"
#include "runtime/widgets/windows/MenuKeys.h"

#include <QHash>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;
class QWidget;
class QMenuBar;
class QPainter;

namespace tickora::runtime {

class Picture;

// A top-level window. Its size is that of its content area: an in-window menu
// bar lies above it and outside it, so control coordinates never depend on
// the platform. Top and Left place the outer frame (FramePlacement).
//
// Building a window (Constructor) raises CreateControls, Layout and
// AddMenuHandlers, then the Open events of its controls and of the window
// itself, each only when the class's description lists it. While the runtime
// holds a window it is its class's implicit instance (WindowRegistry.h);
// Close ends that.
//
// Tab moves the keyboard focus through the controls in the order of their
// TabIndex (within each container), as the window was built. A window whose
// class handles KeyDown opens with the focus on itself rather than on a
// control, since its keys work whichever control has the focus.
class Window : public Object, public ControlHost, public std::enable_shared_from_this<Window> {
public:
    Window();
    ~Window() override;

    // The runtime's window operations that the program uses, in the runtime's order.
    virtual void Close();
    virtual void Constructor();
    virtual void Show();
    virtual void AddControl(const QString &name, Ref<Control> control);
    virtual void AddMenuHandler(const QString &itemName, MenuHandler handler);
    virtual Ref<Control> ControlByName(const QString &name) const;

    // The control registered under the name, passed through the class test
    // for T: nil when there is none, IllegalCastException when it is another class.
    template <class T>
    Ref<T> ControlAs(const QString &name) const
    {
        return ClassTest<T>(ControlByName(name));
    }

    // A new control object of class T for this window (not yet added by name).
    template <class T>
    Ref<T> New()
    {
        CheckLive();
        Ref<T> control = NewObject<T>();
        static_cast<Control &>(*control).AttachToWindow(*this, weak_from_this());
        return control;
    }

    // Window events, raised only when Description() lists them.
    virtual void CreateControls();
    virtual void Layout();
    virtual void Event_Open();
    virtual bool Event_MouseDown(std::int64_t x, std::int64_t y);
    // A key that no control took, pressed alone or with Shift. The key is
    // the text it types, or for these keys a control character: Return
    // "\r", keypad Enter chr(3), Backspace chr(8), Tab chr(9), Escape
    // chr(27), Delete chr(127), the arrows left, right, up, down chr(28) to
    // chr(31). Other keys, and the keypad's own keys while Num Lock is off,
    // are not raised. A key held down is raised once: the platform's repeats
    // of it are not. While the user types into a text field every key is
    // the field's. True means the window took the key.
    virtual bool Event_KeyDown(const QString &key);
    virtual void AddMenuHandlers(Ref<Object> target);

    virtual const ClassDescription &Description() const = 0;
    bool HandlesEvent(const QString &event) const { return Description().Handles(event); }

    // Place and size, in pixels.
    std::int64_t Top() const;
    void SetTop(std::int64_t top);
    std::int64_t Left() const;
    void SetLeft(std::int64_t left);
    std::int64_t Width() const;
    void SetWidth(std::int64_t width);
    std::int64_t Height() const;
    void SetHeight(std::int64_t height);
    void SetMinimumWidth(std::int64_t width);
    void SetMinimumHeight(std::int64_t height);
    void SetMaximumWidth(std::int64_t width);
    void SetMaximumHeight(std::int64_t height);

    QString Title() const;
    void SetTitle(const QString &title);
    bool Visible() const;
    void SetVisible(bool visible);
    bool HasCloseButton() const { return m_closeButton; }
    void SetHasCloseButton(bool has);
    bool HasMinimizeButton() const { return m_minimizeButton; }
    void SetHasMinimizeButton(bool has);
    bool HasMaximizeButton() const { return m_maximizeButton; }
    void SetHasMaximizeButton(bool has);
    bool Resizeable() const { return m_resizeable; }
    void SetResizeable(bool resizeable);
    std::int64_t DefaultLocation() const { return m_defaultLocation; }
    void SetDefaultLocation(std::int64_t location);
    bool HasBackgroundColor() const { return m_hasBackgroundColor; }
    void SetHasBackgroundColor(bool has);
    Color BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(Color colour);
    bool MenuBarVisible() const { return m_menuBarVisible; }
    void SetMenuBarVisible(bool visible);

    Ref<Picture> Backdrop() const { return m_backdrop; }
    void SetBackdrop(Ref<Picture> picture);
    Ref<runtime::MenuBar> MenuBar() const { return m_menuBar; }
    void SetMenuBar(Ref<runtime::MenuBar> menuBar);

    // The native window, as the platform's window handle.
    std::int64_t Handle() const;
    // The opacity of the whole window, 0 (transparent) to 1 (opaque).
    double Opacity() const;
    void SetOpacity(double opacity);

    void SetProperty(std::string_view name, const PropertyValue &value) override;

    bool IsClosed() const { return m_closed; }

    // Runtime side.
    QWidget *Widget() const;
    QWidget *ContentWidget() const;
    QMenuBar *MenuBarWidget() const;
    Control *FindControl(const QString &name) const override;
    void UpdateShownControls() override;
    QObject *ControlArea() const override;
    void RaiseMouseDown(std::int64_t x, std::int64_t y);
    bool RaiseKeyDown(const QKeyEvent &event);
    void KeyReleased(const QKeyEvent &event);
    void PaintContent(QPainter &painter);
    void FrameMoved();
    // Runs this window's own handler bound to the item name.
    bool HandleMenuCommand(const QString &itemName);
    // Start-up has ended: a window that waited for it to be shown appears now.
    void ShowIfWaiting();
    // The runtime lets go of the window at the end of the process.
    void Release() { m_closed = true; }

protected:
    // How every window of the program makes a control: a new control for this
    // window, constructed, added under its name, then, fetched back by name,
    // given what it takes first (`first`, such as a canvas's first picture)
    // and its property list. Handlers come afterwards, so applying a list runs
    // none of them.
    template <class T>
    void CreateControl(const QString &name, const PropertyList &list, const std::function<void(T &)> &first = {})
    {
        Ref<T> made = New<T>();
        made->Constructor();
        AddControl(name, std::move(made));
        if (first)
            first(*ControlAs<T>(name));
        SetProperties(*ControlAs<T>(name), list);
    }

    // Attaches one of this window's handlers to an event of the named control.
    // The delegate calls through the window's table of operations, so a
    // subclass that replaces the handler is the one called.
    template <class T, class Signature, class Receiver, class R, class... Args>
    void AttachHandler(const QString &name, Event<Signature> T::*event, R (Receiver::*handler)(Args...))
    {
        auto *receiver = dynamic_cast<Receiver *>(this);
        if (!receiver)
            throw IllegalCastException(QStringLiteral("the handler is not an operation of this window"));
        ((*ControlAs<T>(name)).*event).AddHandler(Delegate(receiver, handler));
    }

private:
    void CheckLive() const;
    void CloseWindow(bool lastEndsProgram);
    void ApplyGeometry();
    void ApplyWindowFlags();
    void ApplyTabOrder();
    void ShowNow();
    std::int64_t MenuBarHeight() const;

    // Held as QObjects so that users of this header need no widget headers.
    QPointer<QObject> m_frameObject;
    QPointer<QObject> m_contentObject;
    QPointer<QObject> m_menuBarObject;
    std::optional<FramePlacement> m_placement;
    std::optional<ApplicationMenuKeys> m_menuKeys;

    std::vector<Ref<Control>> m_controls;
    QHash<QString, Ref<Control>> m_controlsByName;
    QHash<QString, MenuHandler> m_menuHandlers;
    Ref<Picture> m_backdrop;
    Ref<runtime::MenuBar> m_menuBar;

    std::int64_t m_width = 100;
    std::int64_t m_height = 100;
    std::int64_t m_minWidth = 64;
    std::int64_t m_minHeight = 64;
    std::int64_t m_maxWidth = 32000;
    std::int64_t m_maxHeight = 32000;
    std::int64_t m_defaultLocation = 0;
    Color m_backgroundColor{255, 255, 255};
    bool m_hasBackgroundColor = false;
    bool m_menuBarVisible = true;
    bool m_closeButton = true;
    bool m_minimizeButton = true;
    bool m_maximizeButton = true;
    bool m_resizeable = true;
    bool m_visible = false;
    bool m_constructing = false;
    bool m_shown = false;
    bool m_closed = false;
    double m_opacity = 1.0;
    // The key let go last, and when (the platform's time of the event).
    std::pair<int, unsigned long> m_released;
};

} // namespace tickora::runtime
