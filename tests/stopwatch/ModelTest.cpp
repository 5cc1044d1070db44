// A reference model of the main window played against the real one: long
// random runs of clicks, pointer moves, timer ticks, slider moves, note edits
// and wall-clock changes, with every observable value compared after each
// event. The run stops at the first difference, naming the seed, the event
// and the field. To replay a failure, or for a longer run:
//   TICKORA_MODEL_SEED=<seed> TICKORA_MODEL_EVENTS=<count> stopwatch_tests --gtest_filter='MainWindowModel.*'
#include "MainWindowFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTableView>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace tickora::testing {
namespace {

using namespace std::chrono_literals;
using std::chrono::nanoseconds;
using Int = std::int64_t;

// A uniform choice of our own: the standard distributions differ between
// library versions, and a seed must replay the same run everywhere.
Int Below(std::mt19937_64 &engine, Int n)
{
    const auto count = static_cast<std::uint64_t>(n);
    const std::uint64_t limit = std::mt19937_64::max() - std::mt19937_64::max() % count;
    for (;;)
        if (const std::uint64_t x = engine(); x < limit)
            return static_cast<Int>(x % count);
}

// Values as a failure message shows them; pictures by the accessor that returns them.
std::string Show(bool value) { return value ? "true" : "false"; }
std::string Show(Int value) { return std::to_string(value); }
std::string Show(double value) { return std::to_string(value); }
std::string Show(const QString &text) { return '"' + text.toStdString() + '"'; }
std::string Show(const PictureRef &picture)
{
    static const std::pair<const char *, PictureRef (*)()> kNamed[] = {
        {"lap78", &lap78}, {"reset78", &reset78}, {"start78", &start78}, {"stop78", &stop78},
        {"lap_hell", &lap_hell}, {"reset_hell", &reset_hell}, {"start_hell", &start_hell},
        {"stop_hell", &stop_hell}, {"studioScreen", &studioScreen}, {"icon80", &icon80}, {"green13", &green13},
        {"red13", &red13}, {"blau13", &blau13}, {"button_gelb", &button_gelb}, {"backTrans", &backTrans},
        {"timeback1", &timeback1}};
    for (const auto &[name, accessor] : kNamed)
        if (picture == accessor())
            return name;
    return picture ? "an unnamed picture" : "nil";
}

struct Hms { Int h = 0, m = 0, s = 0; };

Hms OneSecondOn(Hms t)
{
    if (++t.s > 59) {
        t.s = 0;
        if (++t.m > 59)
            t = {t.h + 1, 0, 0};
    }
    return t;
}

QString Field(Int v) { return (v < 10 ? QStringLiteral("0") : QString()) + QString::number(v); }
QString Joined(Hms t) { return Field(t.h) + u':' + Field(t.m) + u':' + Field(t.s); }

enum class Look { Plain, Hover };
enum Over { kNothing, kStartButton, kResetButton };

// A repeating one-second timer, told apart from the runtime's own arithmetic:
// it keeps the running time it has been enabled for, and its ticks are the
// whole seconds of that time. A disable while disabled forgets the part of a
// second run so far, so the next enable starts a full second.
struct TimerModel {
    bool enabled;
    nanoseconds ran{0}, since{0}; // running time before `since`, when it was last enabled
    Int delivered = 0;
    void Enable(bool on, nanoseconds now)
    {
        if (on == enabled) {
            if (!on)
                ran = nanoseconds(delivered * nanoseconds(1s));
            return;
        }
        if (on)
            since = now;
        else
            ran += now - since;
        enabled = on;
    }
    nanoseconds RunningTime(nanoseconds until) const { return ran + (enabled ? until - since : nanoseconds(0)); }
    Int Owed(nanoseconds until) const { return enabled ? RunningTime(until) / 1s - delivered : 0; }
};

struct Model {
    Hms total, lap;
    QString timestring = QStringLiteral("00:00:00"), zwischenzeit = QStringLiteral("00:00:00");
    bool runLooks = false; // cStart shows its stop pictures and cReset its lap pictures
    Look looks[3] = {};    // by Over: each button's plain or hover look (kNothing's is unused)
    bool infoScreen = false, released = false;
    Int height = 164, top = 0, left = 0, screenWidth = 1440, slider = 90;
    double opacity = 1.0; // the slider's first value is not applied until it changes
    std::vector<std::array<QString, 5>> rows;
    QString clockHour = QStringLiteral("00"), clockMinute = QStringLiteral("00");
    TimerModel timer1{false}, timer2{false}, timerTime{true};
    nanoseconds now{0}, localAnchor{0};
    QDateTime localBase;
    QPoint pointer{300, 20};
    Over over = kNothing;

    void Tick1() { timestring = Joined(total = OneSecondOn(total)); }
    void Tick2() { zwischenzeit = Joined(lap = OneSecondOn(lap)); }
    void TickClock(nanoseconds at)
    {
        const QTime local = localBase.addMSecs((at - localAnchor) / 1ms).time();
        clockHour = Field(local.hour());
        clockMinute = Field(local.minute());
    }
    void Advance(nanoseconds by)
    {
        const nanoseconds until = now + by;
        for (Int n = timer1.Owed(until); n > 0; --n, ++timer1.delivered)
            Tick1();
        for (Int n = timer2.Owed(until); n > 0; --n, ++timer2.delivered)
            Tick2();
        if (const Int n = timerTime.Owed(until); n > 0)
            TickClock(timerTime.since + (timerTime.delivered += n) * nanoseconds(1s));
        now = until;
    }
    void StartStop()
    {
        runLooks = !runLooks;
        looks[kStartButton] = looks[kResetButton] = Look::Plain;
        timer1.Enable(runLooks, now);
        timer2.Enable(runLooks, now);
    }
    void LapOrReset()
    {
        if (runLooks) {
            lap = {};
            height = 374;
            rows.push_back({QString(), QStringLiteral("Lap %1").arg(rows.size() + 1), timestring, zwischenzeit, {}});
            return;
        }
        total = lap = {};
        timer1.Enable(false, now);
        timer2.Enable(false, now);
        zwischenzeit = QStringLiteral("00:00:00");
        rows.clear();
        height = 164;
    }
    // Qt reports a move only when the pointer lands elsewhere; a hidden button hears nothing.
    void PointTo(QPoint at, Over target)
    {
        if (at == pointer)
            return;
        pointer = at;
        const Over under = infoScreen ? kNothing : target;
        if (under != over)
            looks[over] = Look::Plain;
        looks[over = under] = Look::Hover;
    }
    void Dock()
    {
        top = released ? 0 : 100;
        left = released ? (screenWidth - 556) / 2 : left; // integer division cuts toward zero
        released = !released;
    }
};

// The offscreen platform warns on every opacity and size change it cannot
// show; thousands of those would bury the one line that matters.
QtMessageHandler g_loudHandler = nullptr;
void QuietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        g_loudHandler(type, context, message);
}

class MainWindowModel : public MainWindowFixture {
protected:
    std::string Compare(const Model &m) const;
    std::string Play(Model &m, std::mt19937_64 &random);
    QTableView *ListView() const { return qobject_cast<QTableView *>(window->Listbox1()->Widget()); }
};

// The first field where model and window part, or nothing.
std::string MainWindowModel::Compare(const Model &m) const
{
    std::string first;
    auto check = [&first](const std::string &field, const auto &model, const auto &shown) {
        if (first.empty() && !(model == shown))
            first = field + ": model=" + Show(model) + " window=" + Show(shown);
    };
    const std::pair<runtime::Ref<runtime::Label>, QString> labels[] = {
        {window->stu(), Field(m.total.h)}, {window->min(), Field(m.total.m)}, {window->sec(), Field(m.total.s)},
        {window->Label1(), Field(m.lap.h)}, {window->Label2(), Field(m.lap.m)}, {window->Label3(), Field(m.lap.s)},
        {window->timestring(), m.timestring}, {window->zwischenzeit(), m.zwischenzeit},
        {window->LabelHour(), m.clockHour}, {window->LabelMin(), m.clockMinute},
        {window->LabelHour1(), QStringLiteral(":")}};
    for (const auto &[label, expected] : labels)
        check(label->Name().toStdString(), expected, label->Text());
    const bool startHover = m.looks[kStartButton] == Look::Hover, resetHover = m.looks[kResetButton] == Look::Hover;
    check("cStart", m.runLooks ? (startHover ? stop_hell() : stop78()) : (startHover ? start_hell() : start78()),
          window->cStart()->Backdrop());
    check("cReset", m.runLooks ? (resetHover ? lap_hell() : lap78()) : (resetHover ? reset_hell() : reset78()),
          window->cReset()->Backdrop());
    check("cLight", m.infoScreen ? green13() : button_gelb(), window->cLight()->Backdrop());
    check("cQuit", red13(), window->cQuit()->Backdrop());
    check("cTop", m.released ? green13() : blau13(), window->cTop()->Backdrop());
    check("cTimeBack", timeback1(), window->cTimeBack()->Backdrop());
    check("window backdrop", m.infoScreen ? studioScreen() : backTrans(), window->Backdrop());
    check("Timer1.Enabled", m.timer1.enabled, window->Timer1()->Enabled());
    check("Timer2.Enabled", m.timer2.enabled, window->Timer2()->Enabled());
    check("TimerTime.Enabled", m.timerTime.enabled, window->TimerTime()->Enabled());
    const auto list = window->Listbox1();
    check("Listbox1.ListCount", static_cast<Int>(m.rows.size()), list->ListCount());
    for (std::size_t row = 0; row < m.rows.size() && first.empty(); ++row)
        for (std::size_t column = 0; column < 5; ++column)
            check("Listbox1 row " + std::to_string(row) + " column " + std::to_string(column), m.rows[row][column],
                  list->Cell(static_cast<Int>(row), static_cast<Int>(column)));
    check("Listbox1 editing", false, list->IsEditing());
    check("Height", m.height, window->Height());
    check("Top", m.top, window->Top());
    check("Left", m.left, window->Left());
    // The nine controls of the face, then the six embedded in them, then the lamps.
    const runtime::Ref<runtime::RectControl> controls[] = {
        window->LabelDoppelpunkt1(), window->LabelDoppelpunkt2(), window->stu(), window->min(), window->sec(),
        window->cStart(), window->cReset(), window->TransparencySlider(), window->cTimeBack(), window->labelStunde(),
        window->labelMinute(), window->labelSekunde(), window->LabelHour(), window->LabelMin(), window->LabelHour1(),
        window->cLight(), window->cQuit(), window->cTop()};
    for (int i = 0; i < 18; ++i) {
        const std::string name = controls[i]->Name().toStdString();
        check(name + ".Visible", i >= 9 || !m.infoScreen, controls[i]->Visible());
        check(name + " on screen", i >= 15 || !m.infoScreen, controls[i]->Widget()->isVisible());
    }
    check("TransparencySlider.Value", m.slider, window->TransparencySlider()->Value());
    if (std::abs(m.opacity - window->Opacity()) > 1e-6)
        check("Opacity", m.opacity, window->Opacity());
    check("quit requests", Int{0}, static_cast<Int>(quitCodes.size()));
    return first;
}

// One random event, done to the window as a user or the event loop would and
// to the model as the design says; returns the event's name.
std::string MainWindowModel::Play(Model &m, std::mt19937_64 &random)
{
    // Click, move over: cStart, cReset; away; cLight; cTop; single ticks of
    // Timer1, Timer2, TimerTime; 1 s, under 1 s, hours; slider; note; other cell; wall clock.
    static constexpr Int kWeights[] = {80, 40, 80, 40, 30, 20, 20, 30, 30, 10, 100, 30, 1, 30, 30, 10, 10};
    static constexpr Int kTotal = [] { Int total = 0; for (Int w : kWeights) total += w; return total; }();
    int kind = 0;
    for (Int pick = Below(random, kTotal); pick >= kWeights[kind]; pick -= kWeights[kind++]) {
    }
    if (kind < 4) {
        const auto button = kind < 2 ? window->cStart() : window->cReset();
        const Over target = kind < 2 ? kStartButton : kResetButton;
        const QPoint centre = CentreOf(*button);
        // A move lands one pixel on when the pointer already rests on the centre, as MoveOver does.
        const QPoint at = kind % 2 == 0 || m.pointer != centre ? centre : centre + QPoint(1, 0);
        kind % 2 == 0 ? ClickAt(at) : MoveTo(at);
        m.PointTo(at, target);
        if (kind % 2 == 0 && m.over == target) // a click reaches only a shown button
            target == kStartButton ? m.StartStop() : m.LapOrReset();
        return (kind % 2 == 0 ? "click " : "move over ") + button->Name().toStdString();
    }
    switch (kind) {
    case 4: // over no control
        MoveAway();
        m.PointTo(QPoint(300, 20), kNothing);
        return "move away";
    case 5: case 6: {
        static constexpr Int kWidths[] = {556, 557, 800, 1365, 1440, 1441, 1920, 2561};
        if (kind == 6 && Below(random, 2) == 0)
            runtime::Screen::SetMainScreenWidthForTesting(m.screenWidth = kWidths[Below(random, 8)]);
        const auto lamp = kind == 5 ? window->cLight() : window->cTop();
        Click(*lamp);
        m.PointTo(CentreOf(*lamp), kNothing);
        if (kind == 5)
            m.infoScreen = !m.infoScreen;
        else
            m.Dock();
        return "click " + lamp->Name().toStdString() + " with screen 0 " + std::to_string(m.screenWidth) + " wide";
    }
    case 7: case 8: {
        // The event loop delivers ticks of running timers only.
        const auto timer = kind == 7 ? window->Timer1() : window->Timer2();
        if (!(kind == 7 ? m.timer1 : m.timer2).enabled)
            return "no tick of the stopped " + timer->Name().toStdString();
        kind == 7 ? window->Timer1_Action(*timer) : window->Timer2_Action(*timer);
        kind == 7 ? m.Tick1() : m.Tick2();
        return "tick " + timer->Name().toStdString();
    }
    case 9:
        window->TimerTime_Action(*window->TimerTime());
        m.TickClock(m.now);
        return "tick TimerTime";
    case 10: case 11: case 12: {
        const nanoseconds by = kind == 10 ? nanoseconds(1s)
                               : kind == 11 ? nanoseconds(std::chrono::milliseconds(1 + Below(random, 999)))
                                            : nanoseconds(std::chrono::seconds(1800 + Below(random, 5400)));
        clock.Advance(by);
        m.Advance(by);
        return "advance " + std::to_string(by / 1ms) + " ms";
    }
    case 13: {
        const Int value = Below(random, 4) == 0 ? m.slider : Below(random, 101);
        window->TransparencySlider()->SetValue(value);
        if (value != m.slider)
            m.opacity = static_cast<double>(m.slider = value) / 100.0;
        return "slider to " + std::to_string(value);
    }
    case 14: case 15: {
        if (m.rows.empty())
            return "no lap row to click";
        const auto row = static_cast<std::size_t>(Below(random, static_cast<Int>(m.rows.size())));
        const int column = kind == 14 ? 4 : static_cast<int>(Below(random, 4));
        const QModelIndex cell = ListView()->model()->index(static_cast<int>(row), column);
        ListView()->scrollTo(cell); // as the user scrolls a row into view
        const QPoint at = ListView()->viewport()->mapTo(window->ContentWidget(), ListView()->visualRect(cell).center());
        ClickAt(at);
        m.PointTo(at, kNothing);
        const std::string name = "click row " + std::to_string(row) + " column " + std::to_string(column);
        if (column != 4)
            return name;
        static const QString kCharacters = QStringLiteral("abcXYZ019 .:-!?");
        QString note;
        for (Int n = 1 + Below(random, 10); n > 0; --n)
            note += kCharacters[static_cast<int>(Below(random, kCharacters.size()))];
        m.rows[row][4] = note;
        // Without an open editor the keys go nowhere and the note is lost.
        if (auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget())) {
            QTest::keyClicks(editor, note);
            QTest::keyClick(editor, Qt::Key_Return);
        }
        return name + ", type \"" + note.toStdString() + "\" and Return";
    }
    default: {
        const QDateTime local(QDate(2026, 1, 1).addDays(Below(random, 365)),
                              QTime(static_cast<int>(Below(random, 24)), static_cast<int>(Below(random, 60)),
                                    static_cast<int>(Below(random, 60)), static_cast<int>(Below(random, 1000))));
        clock.SetLocalTime(local);
        window->TimerTime_Action(*window->TimerTime());
        m.localBase = local;
        m.TickClock(m.localAnchor = m.now);
        return "wall clock set to " + local.toString(Qt::ISODateWithMs).toStdString() + ", TimerTime ticks";
    }
    }
}

TEST_F(MainWindowModel, RandomEventsKeepEveryObservableValueAsTheModelSays)
{
    auto fromEnvironment = [](const char *name, qulonglong fallback) {
        bool ok = false;
        const qulonglong value = qgetenv(name).toULongLong(&ok);
        return ok ? value : fallback;
    };
    const qulonglong seed = fromEnvironment("TICKORA_MODEL_SEED", 20261207);
    const qulonglong events = fromEnvironment("TICKORA_MODEL_EVENTS", 20000);
    std::mt19937_64 random(seed);
    g_loudHandler = qInstallMessageHandler(&QuietPlatform);
    const auto restoreHandler = qScopeGuard([] { qInstallMessageHandler(g_loudHandler); });
    Model m;
    // Where the window first stands is the application's choice, not the window's.
    m.top = window->Top();
    m.left = window->Left();
    m.localBase = clock.LocalNow();
    m.localAnchor = m.now = clock.SteadyNow();
    ASSERT_EQ(Compare(m), "") << "seed=" << seed << " before the first event";
    std::vector<std::string> played;
    Int laps = 0, docks = 0, longest = 0;
    for (qulonglong i = 0; i < events; ++i) {
        const std::size_t rowsBefore = m.rows.size();
        played.push_back(Play(m, random));
        if (const std::string difference = Compare(m); !difference.empty()) {
            std::string trail;
            for (std::size_t k = played.size() > 6 ? played.size() - 6 : 0; k < played.size(); ++k)
                trail += "\n  " + played[k];
            FAIL() << "seed=" << seed << " event=" << i << " " << played.back() << ": " << difference
                   << "\nlast events, oldest first:" << trail;
        }
        laps += m.rows.size() > rowsBefore;
        docks += played.back().starts_with("click cTop") && !m.released;
        longest = std::max(longest, m.total.h * 3600 + m.total.m * 60 + m.total.s);
    }
    // The default run must reach what it is there to check.
    if (events >= 20000) {
        EXPECT_GT(laps, 100);
        EXPECT_GT(std::count_if(played.begin(), played.end(), [](auto &e) { return e.ends_with("Return"); }), 50);
        EXPECT_GT(docks, 20);
        EXPECT_GE(longest, 3600);
    }
}

} // namespace
} // namespace tickora::testing
