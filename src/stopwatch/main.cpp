#include "stopwatch/main.h"

#include "app/shared/MainMenuBar.h"
#include "app/shared/Pictures.h"
#include "runtime/widgets/windows/WindowRegistry.h"
#include "stopwatch/MainLayout.h"

namespace tickora {

const runtime::ClassDescription &main::ClassInfo()
{
    static const runtime::ClassDescription &info = runtime::RuntimeRegisterClass(
        {QStringLiteral("main.main"),
         {QStringLiteral("CreateControls"), QStringLiteral("Layout"), QStringLiteral("Open"),
          QStringLiteral("KeyDown")}});
    return info;
}

main::Ref<main> main::Instance() { return runtime::ImplicitInstance<main>(); }

bool main::IsEventImplemented(const QString &eventName) const
{
    return runtime::RuntimeIsEventHandled(*this, ClassInfo().Name, eventName, true);
}

void main::Layout()
{
    SetBackdrop(backTrans());
    SetMenuBar(MainMenuBar::Instance());
    runtime::SetProperties(*this, MainWindowProperties());
}

void main::CreateControls()
{
    CreateControls0();
    CreateControls1();
    DescribeControls();
}

template <class T>
void main::MakeControl(const QString &name)
{
    CreateControl<T>(name, MainControlProperties(name));
}

// A canvas's first picture is its starting state.
void main::MakeCanvas(const QString &name, runtime::Ref<runtime::Picture> (*firstPicture)())
{
    CreateControl<Canvas>(name, MainControlProperties(name),
                          [firstPicture](Canvas &canvas) { canvas.SetBackdrop(firstPicture()); });
}

void main::CreateControls0()
{
    const QString light = QStringLiteral("cLight");
    MakeCanvas(light, &button_gelb);
    AttachHandler(light, &Canvas::MouseDown, &main::cLight_MouseDown);

    const QString start = QStringLiteral("cStart");
    MakeCanvas(start, &start78);
    AttachHandler(start, &Canvas::MouseDown, &main::cStart_MouseDown);
    AttachHandler(start, &Canvas::MouseMove, &main::cStart_MouseMove);
    AttachHandler(start, &Canvas::MouseExit, &main::cStart_MouseExit);

    const QString reset = QStringLiteral("cReset");
    MakeCanvas(reset, &reset78);
    AttachHandler(reset, &Canvas::MouseDown, &main::cReset_MouseDown);
    AttachHandler(reset, &Canvas::MouseMove, &main::cReset_MouseMove);
    AttachHandler(reset, &Canvas::MouseExit, &main::cReset_MouseExit);

    for (const char *name : {"sec", "labelSekunde", "min", "labelMinute", "stu", "labelStunde",
                             "LabelDoppelpunkt1", "LabelDoppelpunkt2"})
        MakeControl<Label>(QString::fromLatin1(name));
    // The three fields read as one number, so they are drawn at one size:
    // when one must shrink (hours past 99, or a face wider than the one the
    // layout was drawn for), all shrink with it and stay in line. The colons
    // keep their own size.
    Label::JoinSizeGroup({stu(), min(), sec()});

    MakeControl<Timer>(QStringLiteral("Timer1"));
    AttachHandler(QStringLiteral("Timer1"), &Timer::Action, &main::Timer1_Action);

    MakeControl<Label>(QStringLiteral("timestring"));
    AttachHandler(QStringLiteral("timestring"), &Label::Open, &main::timestring_Open);

    const QString list = QStringLiteral("Listbox1");
    MakeControl<Listbox>(list);
    AttachHandler(list, &Listbox::CellClick, &main::Listbox1_CellClick);
    AttachHandler(list, &Listbox::Open, &main::Listbox1_Open);
    AttachHandler(list, &Listbox::CellBackgroundPaint, &main::Listbox1_CellBackgroundPaint);

    for (const char *name : {"LabelLap", "LabelZZ", "LabelDif", "zwischenzeit"})
        MakeControl<Label>(QString::fromLatin1(name));

    MakeControl<Timer>(QStringLiteral("Timer2"));
    AttachHandler(QStringLiteral("Timer2"), &Timer::Action, &main::Timer2_Action);

    for (const char *name : {"Label1", "Label2", "Label3", "LabelDif1"})
        MakeControl<Label>(QString::fromLatin1(name));

    MakeControl<Slider>(QStringLiteral("TransparencySlider"));
    AttachHandler(QStringLiteral("TransparencySlider"), &Slider::ValueChanged, &main::TransparencySlider_ValueChanged);

    MakeCanvas(QStringLiteral("cQuit"), &red13);
    AttachHandler(QStringLiteral("cQuit"), &Canvas::MouseDown, &main::cQuit_MouseDown);

    MakeCanvas(QStringLiteral("cTop"), &blau13);
    AttachHandler(QStringLiteral("cTop"), &Canvas::MouseDown, &main::cTop_MouseDown);

    MakeControl<Timer>(QStringLiteral("TimerTime"));
    AttachHandler(QStringLiteral("TimerTime"), &Timer::Action, &main::TimerTime_Action);

    MakeCanvas(QStringLiteral("cTimeBack"), &timeback1);
    MakeControl<Label>(QStringLiteral("LabelHour"));
    MakeControl<Label>(QStringLiteral("LabelMin"));
}

void main::CreateControls1() { MakeControl<Label>(QStringLiteral("LabelHour1")); }

void main::Event_Open()
{
    // Both counting timers wait for the start button; the wall clock runs from now on.
    Timer1()->SetEnabled(false);
    Timer2()->SetEnabled(false);
    Instance()->SetHeight(kCollapsedHeight);
    Instance()->SetWidth(kWindowWidth);
    TimerTime()->SetRunMode(Timer::ModeMultiple);
}

// Accessors ask the window afresh each time; the controls live as long as it.
#define TICKORA_CONTROL(Type, Name) \
    main::Ref<main::Type> main::Name() { return ControlAs<Type>(QStringLiteral(#Name)); }
TICKORA_CONTROL(Canvas, cLight)
TICKORA_CONTROL(Canvas, cStart)
TICKORA_CONTROL(Canvas, cReset)
TICKORA_CONTROL(Label, sec)
TICKORA_CONTROL(Label, labelSekunde)
TICKORA_CONTROL(Label, min)
TICKORA_CONTROL(Label, labelMinute)
TICKORA_CONTROL(Label, stu)
TICKORA_CONTROL(Label, labelStunde)
TICKORA_CONTROL(Label, LabelDoppelpunkt1)
TICKORA_CONTROL(Label, LabelDoppelpunkt2)
TICKORA_CONTROL(Timer, Timer1)
TICKORA_CONTROL(Label, timestring)
TICKORA_CONTROL(Listbox, Listbox1)
TICKORA_CONTROL(Label, LabelLap)
TICKORA_CONTROL(Label, LabelZZ)
TICKORA_CONTROL(Label, LabelDif)
TICKORA_CONTROL(Label, zwischenzeit)
TICKORA_CONTROL(Timer, Timer2)
TICKORA_CONTROL(Label, Label1)
TICKORA_CONTROL(Label, Label2)
TICKORA_CONTROL(Label, Label3)
TICKORA_CONTROL(Label, LabelDif1)
TICKORA_CONTROL(Slider, TransparencySlider)
TICKORA_CONTROL(Canvas, cQuit)
TICKORA_CONTROL(Canvas, cTop)
TICKORA_CONTROL(Timer, TimerTime)
TICKORA_CONTROL(Canvas, cTimeBack)
TICKORA_CONTROL(Label, LabelHour)
TICKORA_CONTROL(Label, LabelMin)
TICKORA_CONTROL(Label, LabelHour1)
#undef TICKORA_CONTROL

template <class Item>
main::Ref<Item> main::MenuItemNamed(const QString &name)
{
    Ref<runtime::MenuBar> bar = MenuBar();
    if (!bar)
        throw runtime::NilObjectException(QStringLiteral("the window has no menu bar"));
    return runtime::ClassTest<Item>(bar->Lookup(name));
}

main::Ref<runtime::MenuItem> main::EditMenu() { return MenuItemNamed<runtime::MenuItem>(QStringLiteral("EditMenu")); }
main::Ref<runtime::MenuItem> main::FileMenu() { return MenuItemNamed<runtime::MenuItem>(QStringLiteral("FileMenu")); }
main::Ref<runtime::QuitMenuItem> main::FileQuit() { return MenuItemNamed<runtime::QuitMenuItem>(QStringLiteral("FileQuit")); }
main::Ref<runtime::AppleMenuItem> main::AppleSpende() { return MenuItemNamed<runtime::AppleMenuItem>(QStringLiteral("AppleSpende")); }
main::Ref<runtime::AppleMenuItem> main::AppleInfo() { return MenuItemNamed<runtime::AppleMenuItem>(QStringLiteral("AppleInfo")); }

} // namespace tickora
