#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/widgets/controls/Listbox.h"
#include "runtime/widgets/controls/Slider.h"

#include <QApplication>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QLineEdit>

#include <functional>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Ref;
using runtime::Slider;

// A window whose class takes the keys no control took.
struct KeyWindow : TestWindow {
    bool Event_KeyDown(const QString &key) override
    {
        keys << key;
        return takes(key);
    }
    const runtime::ClassDescription &Description() const override
    {
        static const runtime::ClassDescription &info =
            runtime::RuntimeRegisterClass({u"KeyWindow.KeyWindow"_s, {u"CreateControls"_s, u"KeyDown"_s}});
        return info;
    }

    QStringList keys;
    std::function<bool(const QString &)> takes = [](const QString &) { return true; };
};

class Keyboard : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = runtime::NewObject<KeyWindow>();
        window->onCreateControls = [this](TestWindow &w) {
            runtime::SetProperties(w, {{"Width", 300}, {"Height", 100}});
            // Made in one order, tabbed through in another; "late" lies below
            // the window's edge until it grows.
            auto slider = [&](const char *name, int top, int tabIndex) {
                return AddNamed<Slider>(w, QString::fromLatin1(name),
                                        {{"Left", 10}, {"Top", top}, {"Width", 100}, {"Height", 20}, {"TabIndex", tabIndex}});
            };
            third = slider("third", 10, 3);
            first = slider("first", 40, 1);
            late = slider("late", 150, 2);
            list = AddNamed<runtime::Listbox>(w, u"list"_s, {{"Left", 150}, {"Top", 10}, {"Width", 100}, {"Height", 60},
                                                             {"TabIndex", 4}, {"AllowFocusRing", true}});
        };
        window->Constructor();
        ASSERT_TRUE(ShowExposed(*window));
        QApplication::setActiveWindow(window->Widget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
    }

    QWindow *Platform() const { return window->Widget()->windowHandle(); }
    // Keys as the platform gives them to the focused widget, each at an
    // instant of its own unless told when.
    void Send(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text, bool repeat,
              unsigned long at = 0)
    {
        QKeyEvent event(type, key, modifiers, text, repeat);
        event.setTimestamp(at ? at : m_now += 100);
        QApplication::sendEvent(Focus() ? Focus() : window->Widget(), &event);
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, const QString &text = {}, bool repeat = false)
    {
        Send(QEvent::KeyPress, key, modifiers, text, repeat);
    }
    void Release(Qt::Key key, const QString &text = {}, bool repeat = false)
    {
        Send(QEvent::KeyRelease, key, {}, text, repeat);
    }
    QWidget *Focus() const { return QApplication::focusWidget(); }

    Ref<KeyWindow> window;
    Ref<Slider> first, third, late;
    Ref<runtime::Listbox> list;

private:
    unsigned long m_now = 1000;
};

// Each key reaches the window under its runtime name, whichever control has
// the focus, as long as no control took it; keys held with Ctrl, Alt or Meta
// and keys without a name never do.
TEST_F(Keyboard, KeysNoControlTookReachTheWindowByName)
{
    struct Case { const char *what; Qt::Key key; Qt::KeyboardModifiers modifiers; QString text; QString raised; };
    const Case cases[] = {
        {"Space", Qt::Key_Space, {}, u" "_s, u" "_s},
        {"a letter", Qt::Key_A, {}, u"a"_s, u"a"_s},
        {"a capital", Qt::Key_A, Qt::ShiftModifier, u"A"_s, u"A"_s},
        {"Return", Qt::Key_Return, {}, u"\r"_s, u"\r"_s},
        {"Shift+Return", Qt::Key_Return, Qt::ShiftModifier, u"\r"_s, u"\r"_s},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, u"\r"_s, QString(QChar(3))},
        {"Delete", Qt::Key_Delete, {}, QString(QChar(127)), QString(QChar(127))},
        {"Backspace", Qt::Key_Backspace, {}, u"\b"_s, QString(QChar(8))},
        {"Escape", Qt::Key_Escape, {}, QString(QChar(27)), QString(QChar(27))},
        {"Left", Qt::Key_Left, {}, {}, QString(QChar(28))},
        {"Down", Qt::Key_Down, {}, {}, QString(QChar(31))},
        {"keypad Delete, Num Lock off", Qt::Key_Delete, Qt::KeypadModifier, QString(QChar(127)), {}},
        {"keypad 5, Num Lock on", Qt::Key_5, Qt::KeypadModifier, u"5"_s, u"5"_s},
        {"Ctrl+Space", Qt::Key_Space, Qt::ControlModifier, u" "_s, {}},
        {"Alt+A", Qt::Key_A, Qt::AltModifier, u"a"_s, {}},
        {"F5", Qt::Key_F5, {}, {}, {}},
    };
    for (QWidget *focus : {window->Widget(), first->Widget()}) {
        focus->setFocus();
        for (const Case &c : cases) {
            SCOPED_TRACE(::testing::Message() << c.what << (focus == window->Widget() ? " on the window" : " on a slider"));
            // A slider takes the arrows itself.
            const bool sliderKey = focus != window->Widget() && (c.key == Qt::Key_Left || c.key == Qt::Key_Down);
            window->keys.clear();
            Press(c.key, c.modifiers, c.text);
            Release(c.key, c.text);
            EXPECT_EQ(window->keys, c.raised.isEmpty() || sliderKey ? QStringList() : QStringList{c.raised});
        }
    }
}

// A held key is one press, whether or not the window took it; once let go,
// the next press counts again. While a text field has the focus every key is
// the field's, even one it does not use.
TEST_F(Keyboard, AHeldKeyIsRaisedOnceAndATextFieldKeepsItsKeys)
{
    for (bool taken : {true, false}) {
        SCOPED_TRACE(taken ? "taken" : "not taken");
        window->takes = [taken](const QString &) { return taken; };
        window->keys.clear();
        Press(Qt::Key_Return, {}, u"\r"_s);
        for (int repeat = 0; repeat < 3; ++repeat) {
            Release(Qt::Key_Return, u"\r"_s, true);
            Press(Qt::Key_Return, {}, u"\r"_s, true);
        }
        Release(Qt::Key_Return, u"\r"_s);
        EXPECT_EQ(window->keys, QStringList{u"\r"_s});
        Press(Qt::Key_Return, {}, u"\r"_s);
        Release(Qt::Key_Return, u"\r"_s);
        EXPECT_EQ(window->keys.size(), 2);
    }

    // X sends a repeat as a release and a press at one instant; Qt marks them
    // only when it has read both at once, which a busy machine may not let it.
    auto send = [this](QEvent::Type type, unsigned long at) { Send(type, Qt::Key_Return, {}, u"\r"_s, false, at); };
    window->keys.clear();
    send(QEvent::KeyPress, 100000);
    for (unsigned long at : {100600ul, 100640ul, 100680ul}) {
        send(QEvent::KeyRelease, at);
        send(QEvent::KeyPress, at);
    }
    send(QEvent::KeyRelease, 100700);
    send(QEvent::KeyPress, 100900);
    EXPECT_EQ(window->keys.size(), 2);

    auto *field = new QLineEdit(window->ContentWidget());
    field->show();
    field->setFocus();
    window->keys.clear();
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Up, Qt::Key_Escape}) {
        const QString text = key == Qt::Key_Space ? u" "_s : QString();
        Press(key, {}, text);
        Release(key, text);
    }
    EXPECT_EQ(field->text(), u" "_s);
    EXPECT_EQ(window->keys, QStringList());
}

// The window opens with the focus on itself. Tab goes by TabIndex, not by
// the order the controls were made in, and past a control below the window's
// edge until the window grows to show it. A focused control that the window
// then hides behind its edge gives the focus back to the window. The list's
// ring shows only while the list has the focus from the keyboard.
TEST_F(Keyboard, FocusGoesByTabIndexOnlyToWhatCanBeSeenAndTheRingShowsIt)
{
    EXPECT_EQ(Focus(), window->Widget());
    auto tabs = [this](int count) {
        QList<QWidget *> reached;
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(Platform(), Qt::Key_Tab);
            reached << Focus();
        }
        return reached;
    };
    const auto ring = [this]() -> QWidget * {
        const auto frames = window->ContentWidget()->findChildren<QFocusFrame *>();
        for (QFocusFrame *frame : frames)
            if (frame->isVisible())
                return frame->widget();
        return nullptr;
    };
    EXPECT_EQ(tabs(4), (QList<QWidget *>{first->Widget(), third->Widget(), list->Widget(), first->Widget()}));
    window->SetHeight(200);
    EXPECT_EQ(tabs(4), (QList<QWidget *>{late->Widget(), third->Widget(), list->Widget(), first->Widget()}));

    list->Widget()->setFocus();
    EXPECT_EQ(ring(), list->Widget());
    late->Widget()->setFocus();
    EXPECT_EQ(ring(), nullptr);
    // The ring is the keyboard's: a click shows none until a key comes.
    list->Widget()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(ring(), nullptr);
    QTest::keyClick(Platform(), Qt::Key_Down);
    EXPECT_EQ(ring(), list->Widget());
    late->Widget()->setFocus();
    window->SetHeight(100);
    EXPECT_EQ(Focus(), window->Widget());
    EXPECT_EQ(late->Widget()->focusPolicy(), Qt::NoFocus);

    list->SetAllowFocusRing(false);
    list->Widget()->setFocus();
    EXPECT_EQ(ring(), nullptr);
}

} // namespace
} // namespace tickora::testing
