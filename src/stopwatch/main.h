#pragma once

#include "runtime/widgets/controls/Canvas.h"
#include "runtime/widgets/controls/Graphics.h"
#include "runtime/widgets/controls/Label.h"
#include "runtime/widgets/controls/Listbox.h"
#include "runtime/widgets/windows/Menu.h"
#include "runtime/widgets/controls/Slider.h"
#include "runtime/core/Timer.h"
#include "runtime/widgets/windows/Window.h"

namespace tickora {

// The stopwatch's main window. It keeps no data of its own: the counters are
// the texts of its labels, and the state of every picture button and lamp is
// the picture it shows, compared by identity with the named pictures.
//
// Where to find what: the window's and controls' property lists are in
// MainLayout.cpp, building and accessors here (main.cpp), the counting engine
// and start/stop button in CountingEngine.cpp, the lap list and lap/reset
// button in LapList.cpp, the lamps in Lamps.cpp, the opacity slider and the
// wall clock in SliderAndClock.cpp, its keys and what screen readers hear of
// it in KeysAndNames.cpp.
class main : public runtime::Window {
public:
    using Canvas = runtime::Canvas;
    using Label = runtime::Label;
    using Listbox = runtime::Listbox;
    using Slider = runtime::Slider;
    using Timer = runtime::Timer;
    template <class T>
    using Ref = runtime::Ref<T>;

    // Own operations, in order.
    void Layout() override;
    void CreateControls() override;
    virtual void CreateControls0();
    virtual void CreateControls1();

    // The controls, by name, in the order they are made.
    virtual Ref<Canvas> cLight();
    virtual Ref<Canvas> cStart();
    virtual Ref<Canvas> cReset();
    virtual Ref<Label> sec();
    virtual Ref<Label> labelSekunde();
    virtual Ref<Label> min();
    virtual Ref<Label> labelMinute();
    virtual Ref<Label> stu();
    virtual Ref<Label> labelStunde();
    virtual Ref<Label> LabelDoppelpunkt1();
    virtual Ref<Label> LabelDoppelpunkt2();
    virtual Ref<Timer> Timer1();
    virtual Ref<Label> timestring();
    virtual Ref<Listbox> Listbox1();
    virtual Ref<Label> LabelLap();
    virtual Ref<Label> LabelZZ();
    virtual Ref<Label> LabelDif();
    virtual Ref<Label> zwischenzeit();
    virtual Ref<Timer> Timer2();
    virtual Ref<Label> Label1();
    virtual Ref<Label> Label2();
    virtual Ref<Label> Label3();
    virtual Ref<Label> LabelDif1();
    virtual Ref<Slider> TransparencySlider();
    virtual Ref<Canvas> cQuit();
    virtual Ref<Canvas> cTop();
    virtual Ref<Timer> TimerTime();
    virtual Ref<Canvas> cTimeBack();
    virtual Ref<Label> LabelHour();
    virtual Ref<Label> LabelMin();
    virtual Ref<Label> LabelHour1();

    // Control handlers; the mouse-down ones return False, as nothing here
    // takes over the canvas's own handling of the click.
    virtual bool cLight_MouseDown(Canvas &lamp, std::int64_t x, std::int64_t y);
    virtual bool cStart_MouseDown(Canvas &button, std::int64_t x, std::int64_t y);
    virtual void cStart_MouseMove(Canvas &button, std::int64_t x, std::int64_t y);
    virtual void cStart_MouseExit(Canvas &button);
    virtual bool cReset_MouseDown(Canvas &button, std::int64_t x, std::int64_t y);
    virtual void cReset_MouseMove(Canvas &button, std::int64_t x, std::int64_t y);
    virtual void cReset_MouseExit(Canvas &button);
    virtual void Timer1_Action(Timer &timer);
    virtual void timestring_Open(Label &label);
    virtual bool Listbox1_CellClick(Listbox &list, std::int64_t row, std::int64_t column, std::int64_t x,
                                    std::int64_t y);
    virtual void Listbox1_Open(Listbox &list);
    virtual bool Listbox1_CellBackgroundPaint(Listbox &list, runtime::Graphics &g, std::int64_t row,
                                              std::int64_t column);
    virtual void Timer2_Action(Timer &timer);
    virtual void TransparencySlider_ValueChanged(Slider &slider);
    virtual bool cQuit_MouseDown(Canvas &lamp, std::int64_t x, std::int64_t y);
    virtual bool cTop_MouseDown(Canvas &lamp, std::int64_t x, std::int64_t y);
    virtual void TimerTime_Action(Timer &timer);

    // The menu items of the window's menu bar, by name.
    virtual Ref<runtime::MenuItem> EditMenu();
    virtual Ref<runtime::MenuItem> FileMenu();
    virtual Ref<runtime::QuitMenuItem> FileQuit();
    virtual Ref<runtime::AppleMenuItem> AppleSpende();
    virtual Ref<runtime::AppleMenuItem> AppleInfo();

    void Event_Open() override;
    // Space starts and stops, Return and Enter take a lap while the watch
    // runs, Delete resets it while it stands.
    bool Event_KeyDown(const QString &key) override;

    // What screen readers hear of the picture buttons, the lamps and the
    // wall clock as they are now.
    virtual runtime::Accessible::Description cStart_Describe(Canvas &button);
    virtual runtime::Accessible::Description cReset_Describe(Canvas &button);
    virtual runtime::Accessible::Description cLight_Describe(Canvas &lamp);
    virtual runtime::Accessible::Description cTop_Describe(Canvas &lamp);
    virtual runtime::Accessible::Description cTimeBack_Describe(Canvas &plate);
    // The total's time string from its three fields.
    virtual void anzeige();
    // The lap's time string back to zero.
    virtual void resetZ();
    // One second onto the lap's three hidden fields.
    virtual void tickoraZ();
    // The lap's time string from its three fields.
    virtual void anzeigeZ();

    // One second onto the total's three fields.
    void tickora();

    bool IsEventImplemented(const QString &eventName) const;

    // The one main window: the runtime's current one, or a new one built now.
    static Ref<main> Instance();

    static const runtime::ClassDescription &ClassInfo();
    const runtime::ClassDescription &Description() const override { return ClassInfo(); }

private:
    template <class T>
    void MakeControl(const QString &name);
    void MakeCanvas(const QString &name, runtime::Ref<runtime::Picture> (*firstPicture)());
    template <class Item>
    Ref<Item> MenuItemNamed(const QString &name);
    void ShowFace(bool shown);
    void DescribeControls();
    static bool PressByKey(Canvas &button);
    void Reset();
    void Lap();
};

} // namespace tickora
