#include "support/RuntimeFixture.h"
#include "support/TestWindow.h"

#include "runtime/PushButton.h"
#include "runtime/Slider.h"

#include <QApplication>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <algorithm>
#include <climits>
#include <functional>
#include <stdexcept>

namespace tickora::testing {
namespace {

using runtime::PropertyList;
using runtime::PropertyValue;
using Int = std::int64_t;

template <class T>
runtime::Ref<T> AddControl(TestWindow &window, const QString &name)
{
    auto control = window.New<T>();
    control->Constructor();
    window.AddControl(name, control);
    return control;
}

// The opacity slider's list as the main window gives it.
PropertyList OpacitySliderList()
{
    return {
        {"Name", QStringLiteral("TransparencySlider")}, {"Left", Int{139}},  {"Top", Int{116}},
        {"Width", Int{281}},                            {"Height", Int{32}}, {"LockLeft", true},
        {"TabIndex", Int{21}},                          {"TabStop", true},   {"Enabled", true},
        {"Transparent", true},                          {"Visible", true},   {"Value", Int{90}},
        {"MinimumValue", Int{0}},                       {"MaximumValue", Int{100}},
        {"LineStep", Int{1}},                           {"AllowLiveScrolling", true},
        {"PageStep", Int{20}},                          {"TickMarkStyle", Int{2}},
    };
}

// Shows the window offscreen and makes it the active one, so keys and
// shortcuts reach it as they would from the keyboard.
bool ShowActive(TestWindow &window)
{
    window.Show();
    if (!QTest::qWaitForWindowExposed(window.Widget()))
        return false;
    QApplication::setActiveWindow(window.Widget());
    return QTest::qWaitForWindowActive(window.Widget());
}

// Keys typed on the window go wherever the focus is, past the shortcut map.
void TypeKey(TestWindow &window, Qt::Key key) { QTest::keyClick(window.Widget()->windowHandle(), key); }

// A click as the pointer gives it: the platform window finds the widget under
// the point, so a hidden widget is never hit.
void ClickOnScreen(TestWindow &window, const QWidget *widget)
{
    const QPoint at = widget->mapTo(window.Widget(), widget->rect().center());
    QTest::mouseClick(window.Widget()->windowHandle(), Qt::LeftButton, {}, at);
}

class SliderTest : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = TestWindow::Make();
        window->SetWidth(560);
        window->SetHeight(200);
        slider = AddControl<runtime::Slider>(*window, QStringLiteral("slider"));
        runtime::SetProperties(*slider, OpacitySliderList());
        slider->ValueChanged.AddHandler([this](runtime::Slider &s) { reported.push_back(s.Value()); });
    }

    QSlider *Widget() const { return qobject_cast<QSlider *>(slider->Widget()); }

    QPoint HandleCentre() const
    {
        QSlider *widget = Widget();
        QStyleOptionSlider option;
        option.initFrom(widget);
        option.orientation = widget->orientation();
        option.minimum = widget->minimum();
        option.maximum = widget->maximum();
        option.sliderPosition = widget->sliderPosition();
        option.sliderValue = widget->value();
        option.singleStep = widget->singleStep();
        option.pageStep = widget->pageStep();
        option.tickPosition = widget->tickPosition();
        option.tickInterval = widget->tickInterval();
        return widget->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, widget)
            .center();
    }

    runtime::Ref<TestWindow> window;
    runtime::Ref<runtime::Slider> slider;
    std::vector<Int> reported;
};

TEST_F(SliderTest, OpacityListTakesEffectWithoutReportingItsValue)
{
    QCoreApplication::processEvents();
    EXPECT_TRUE(reported.empty());

    EXPECT_EQ(slider->Name(), QStringLiteral("TransparencySlider"));
    EXPECT_EQ(slider->Value(), 90);
    EXPECT_EQ(slider->MinimumValue(), 0);
    EXPECT_EQ(slider->Maximum(), 100);
    EXPECT_EQ(slider->LineStep(), 1);
    EXPECT_EQ(slider->PageStep(), 20);
    EXPECT_TRUE(slider->AllowLiveScrolling());
    EXPECT_EQ(slider->TickMarkStyle(), 2);
    EXPECT_TRUE(slider->Transparent());
    ASSERT_NE(Widget(), nullptr);
    EXPECT_EQ(Widget()->geometry(), QRect(139, 116, 281, 32));
    EXPECT_EQ(Widget()->orientation(), Qt::Horizontal);
    EXPECT_EQ(Widget()->tickPosition(), QSlider::TicksBelow);
    EXPECT_EQ(Widget()->tickInterval(), 20);
}

TEST_F(SliderTest, EachChangeOfValueIsReportedOnce)
{
    struct Step {
        const char *what;
        std::function<void(runtime::Slider &)> act;
        Int value;
        bool reports;
    };
    auto key = [](Qt::Key k) { return [k](runtime::Slider &s) { QTest::keyClick(s.Widget(), k); }; };
    const Step steps[] = {
        {"Right arrow adds a line step", key(Qt::Key_Right), 91, true},
        {"PageUp stops at the maximum", key(Qt::Key_PageUp), 100, true},
        {"End at the maximum changes nothing", key(Qt::Key_End), 100, false},
        {"Home goes to the minimum", key(Qt::Key_Home), 0, true},
        {"Left arrow at the minimum changes nothing", key(Qt::Key_Left), 0, false},
        {"PageUp adds a page step", key(Qt::Key_PageUp), 20, true},
        {"End goes to the maximum", key(Qt::Key_End), 100, true},
        {"the program sets a value", [](runtime::Slider &s) { s.SetValue(42); }, 42, true},
        {"the program sets the same value", [](runtime::Slider &s) { s.SetValue(42); }, 42, false},
        {"a lower maximum pulls the value in", [](runtime::Slider &s) { s.SetMaximumValue(30); }, 30, true},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        reported.clear();
        step.act(*slider);
        EXPECT_EQ(slider->Value(), step.value);
        EXPECT_EQ(reported, step.reports ? std::vector<Int>{step.value} : std::vector<Int>{});
    }
}

TEST_F(SliderTest, ValuesAreClampedToTheRangeAndToQtInts)
{
    using S = runtime::Slider;
    struct Case {
        const char *what;
        void (S::*set)(Int);
        Int (S::*get)() const;
        Int given;
        Int expected;
    };
    const Case cases[] = {
        {"value above the maximum", &S::SetValue, &S::Value, 500, 100},
        {"value below the minimum", &S::SetValue, &S::Value, -7, 0},
        {"value beyond an int", &S::SetValue, &S::Value, Int{1} << 40, 100},
        {"maximum beyond an int", &S::SetMaximumValue, &S::MaximumValue, INT64_MAX, INT_MAX},
        {"minimum beyond an int", &S::SetMinimumValue, &S::MinimumValue, INT64_MIN, INT_MIN},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ((*slider).*c.set)(c.given);
        EXPECT_EQ(((*slider).*c.get)(), c.expected);
    }
}

TEST_F(SliderTest, DragReportsEveryValueOnlyWithLiveScrolling)
{
    window->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));

    std::vector<Int> finals;
    for (bool live : {true, false}) {
        SCOPED_TRACE(live ? "live scrolling" : "no live scrolling");
        slider->SetValue(0);
        slider->SetAllowLiveScrolling(live);
        reported.clear();

        QPoint at = HandleCentre();
        QTest::mousePress(Widget(), Qt::LeftButton, {}, at);
        for (int move = 0; move < 4; ++move) {
            at.rx() += 40;
            QTest::mouseMove(Widget(), at);
        }
        if (!live) {
            EXPECT_TRUE(reported.empty());
            EXPECT_EQ(slider->Value(), 0);
        }
        QTest::mouseRelease(Widget(), Qt::LeftButton, {}, at);

        ASSERT_FALSE(reported.empty());
        EXPECT_EQ(reported.back(), slider->Value());
        EXPECT_GT(slider->Value(), 0);
        if (live) {
            EXPECT_EQ(reported.size(), 4u);
            EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
        } else {
            EXPECT_EQ(reported.size(), 1u);
        }
        finals.push_back(slider->Value());
    }
    EXPECT_EQ(finals.front(), finals.back());
}

TEST_F(SliderTest, SliderAndButtonTakeTheFocusOnlyAsTabStops)
{
    const runtime::Ref<runtime::RectControl> controls[] = {
        AddControl<runtime::Slider>(*window, QStringLiteral("fresh slider")),
        AddControl<runtime::PushButton>(*window, QStringLiteral("fresh button")),
    };
    for (const auto &control : controls) {
        SCOPED_TRACE(control->Name().toStdString());
        EXPECT_EQ(control->Widget()->focusPolicy(), Qt::StrongFocus);
        control->SetTabStop(false);
        EXPECT_EQ(control->Widget()->focusPolicy(), Qt::NoFocus);
        control->SetTabStop(true);
        EXPECT_EQ(control->Widget()->focusPolicy(), Qt::StrongFocus);
    }
}

// Entries that neither the controls nor their base classes know, or of the wrong kind.
TEST_F(SliderTest, ListsWithUnknownNamesOrWrongKindsRaise)
{
    auto button = AddControl<runtime::PushButton>(*window, QStringLiteral("button"));
    const std::pair<std::string_view, PropertyValue> unknown[] = {
        {"Caption", QStringLiteral("x")}, {"LiveScroll", true}, {"Minimum", Int{0}}};
    for (const auto &[name, value] : unknown)
        EXPECT_THROW(slider->SetProperty(name, value), runtime::KeyNotFoundException) << name;
    EXPECT_THROW(button->SetProperty("Value", Int{1}), runtime::KeyNotFoundException);

    const std::pair<std::string_view, PropertyValue> mismatched[] = {
        {"Value", 1.5f}, {"AllowLiveScrolling", Int{1}}, {"TickMarkStyle", runtime::SmallEnum{2}},
        {"Transparent", Int{0}}};
    for (const auto &[name, value] : mismatched)
        EXPECT_THROW(slider->SetProperty(name, value), runtime::TypeMismatchException) << name;
    const std::pair<std::string_view, PropertyValue> mismatchedButton[] = {
        {"Caption", Int{1}}, {"Default", Int{1}}, {"MacButtonStyle", true}, {"FontSize", Int{12}}};
    for (const auto &[name, value] : mismatchedButton)
        EXPECT_THROW(button->SetProperty(name, value), runtime::TypeMismatchException) << name;
}

class PushButtonTest : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = TestWindow::Make();
        window->SetWidth(400);
        window->SetHeight(200);
        slider = AddControl<runtime::Slider>(*window, QStringLiteral("slider"));
        int left = 10;
        for (const char *name : {"ok", "cancel", "other"}) {
            auto button = AddControl<runtime::PushButton>(*window, QString::fromLatin1(name));
            runtime::SetProperties(*button, {{"Left", Int{left}}, {"Top", Int{60}}, {"Width", Int{80}},
                                             {"Height", Int{30}}, {"Caption", QString::fromLatin1(name)}});
            button->Action.AddHandler([this, name](runtime::PushButton &) { ++presses[name]; });
            left += 100;
        }
        Button("ok")->SetDefault(true);
        Button("cancel")->SetCancel(true);
    }

    runtime::Ref<runtime::PushButton> Button(const char *name) const
    {
        return window->ControlAs<runtime::PushButton>(QString::fromLatin1(name));
    }

    runtime::Ref<TestWindow> window;
    runtime::Ref<runtime::Slider> slider;
    std::map<std::string, int> presses;
};

TEST_F(PushButtonTest, ClickAndPushRaiseActionOnce)
{
    ASSERT_TRUE(ShowActive(*window));
    ClickOnScreen(*window, Button("other")->Widget());
    EXPECT_EQ(presses, (std::map<std::string, int>{{"other", 1}}));
    Button("ok")->Push();
    EXPECT_EQ(presses, (std::map<std::string, int>{{"ok", 1}, {"other", 1}}));
}

TEST_F(PushButtonTest, ReturnAndEnterPressTheDefaultButtonWhereverTheFocusIs)
{
    ASSERT_TRUE(ShowActive(*window));
    struct Case {
        const char *what;
        std::function<void()> focus;
    };
    const Case cases[] = {
        {"slider", [this] { slider->Widget()->setFocus(); }},
        {"window", [this] { window->Widget()->setFocus(); }},
        {"another button", [this] { Button("other")->Widget()->setFocus(); }},
        {"the default button", [this] { Button("ok")->Widget()->setFocus(); }},
    };
    for (const Case &c : cases) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            SCOPED_TRACE(::testing::Message() << "focus on " << c.what << ", key " << key);
            presses.clear();
            c.focus();
            TypeKey(*window, key);
            EXPECT_EQ(presses, (std::map<std::string, int>{{"ok", 1}}));
        }
    }

    Button("ok")->SetDefault(false);
    presses.clear();
    slider->Widget()->setFocus();
    TypeKey(*window, Qt::Key_Return);
    EXPECT_TRUE(presses.empty());
    EXPECT_FALSE(qobject_cast<QPushButton *>(Button("ok")->Widget())->isDefault());
}

TEST_F(PushButtonTest, EscapePressesTheCancelButtonOnlyWhileItIsOne)
{
    ASSERT_TRUE(ShowActive(*window));
    slider->Widget()->setFocus();
    struct Step {
        const char *what;
        std::function<void(runtime::PushButton &)> act;
        int presses;
    };
    const Step steps[] = {
        {"cancel button", [](runtime::PushButton &) {}, 1},
        {"no longer cancel", [](runtime::PushButton &b) { b.SetCancel(false); }, 0},
        {"cancel again, set twice", [](runtime::PushButton &b) { b.SetCancel(true); b.SetCancel(true); }, 1},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        presses.clear();
        step.act(*Button("cancel"));
        TypeKey(*window, Qt::Key_Escape);
        EXPECT_EQ(presses["cancel"], step.presses);
        EXPECT_EQ(presses["ok"] + presses["other"], 0);
        EXPECT_EQ(Button("cancel")->Cancel(), step.presses == 1);
    }
}

TEST_F(PushButtonTest, CaptionFontAndInertEntriesReadBack)
{
    auto button = Button("other");
    runtime::SetProperties(*button, {{"Caption", QStringLiteral("&Lap")},
                                     {"FontName", QStringLiteral("Arial")},
                                     {"FontSize", 15.0f},
                                     {"FontUnit", runtime::SmallEnum{0}},
                                     {"Bold", true},
                                     {"Italic", false},
                                     {"Underline", true},
                                     {"MacButtonStyle", Int{3}},
                                     {"Transparent", false},
                                     {"Default", true}});
    EXPECT_EQ(button->Caption(), QStringLiteral("&Lap"));
    EXPECT_EQ(button->Font().Name, QStringLiteral("Arial"));
    EXPECT_FLOAT_EQ(button->Font().Size, 15.0f);
    EXPECT_TRUE(button->Font().Bold);
    EXPECT_FALSE(button->Font().Italic);
    EXPECT_TRUE(button->Font().Underline);
    EXPECT_TRUE(button->Default());
    ASSERT_NE(button->InertProperty("MacButtonStyle"), nullptr);
    EXPECT_EQ(*button->InertProperty("MacButtonStyle"), PropertyValue(Int{3}));

    auto *widget = qobject_cast<QPushButton *>(button->Widget());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->text(), QStringLiteral("&Lap"));
    EXPECT_EQ(widget->font().pixelSize(), 15);
    EXPECT_TRUE(widget->font().bold());
    EXPECT_TRUE(widget->font().underline());
    EXPECT_TRUE(widget->isDefault());
    EXPECT_TRUE(widget->autoDefault());
}

TEST_F(PushButtonTest, ExceptionFromActionEndsTheProgramInsteadOfTheClick)
{
    ASSERT_TRUE(ShowActive(*window));
    const std::function<void()> throwers[] = {
        [] { throw runtime::NilObjectException(QStringLiteral("from the handler")); },
        [] { throw std::runtime_error("not one of the runtime's"); },
    };
    for (const auto &thrower : throwers) {
        quitCodes.clear();
        Button("other")->Action.AddHandler([&thrower](runtime::PushButton &) { thrower(); });
        EXPECT_NO_THROW(ClickOnScreen(*window, Button("other")->Widget()));
        EXPECT_EQ(quitCodes, std::vector<int>{runtime::kUnhandledExceptionExitCode});
    }
}

TEST_F(PushButtonTest, HiddenButtonIsPressedNeitherByMouseNorByKey)
{
    ASSERT_TRUE(ShowActive(*window));
    slider->Widget()->setFocus();
    struct Case {
        const char *button;
        std::function<void(runtime::PushButton &)> press;
    };
    const Case cases[] = {
        {"other", [this](runtime::PushButton &b) { ClickOnScreen(*window, b.Widget()); }},
        {"ok", [this](runtime::PushButton &) { TypeKey(*window, Qt::Key_Return); }},
        {"cancel", [this](runtime::PushButton &) { TypeKey(*window, Qt::Key_Escape); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button);
        auto button = Button(c.button);
        presses.clear();
        button->SetVisible(false);
        c.press(*button);
        EXPECT_TRUE(presses.empty());

        button->SetVisible(true);
        slider->Widget()->setFocus();
        c.press(*button);
        EXPECT_EQ(presses, (std::map<std::string, int>{{c.button, 1}}));
    }
}

} // namespace
} // namespace tickora::testing
