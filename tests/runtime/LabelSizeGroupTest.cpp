// Labels joined into a size group are drawn at one size: the smallest that
// any member's text fits its own frame at.
#include "support/RuntimeFixture.h"
#include "support/RuntimeHelpers.h"
#include "support/TestWindow.h"

#include "runtime/widgets/controls/Label.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <array>
#include <functional>
#include <map>

namespace tickora::testing {
namespace {

using namespace Qt::StringLiterals;
using runtime::Label;
using runtime::Ref;

constexpr int kBaseSize = 50;

int DrawnSize(const Label &label) { return QFontInfo(label.DrawnFont()).pixelSize(); }

// Whether the label's text, drawn in its font at `size`, has ink no wider than its frame.
bool InkFits(const Label &label, int size)
{
    QFont font = label.Widget()->font();
    font.setPixelSize(size);
    return QFontMetricsF(font).tightBoundingRect(label.DisplayedText()).width() <= double(label.Width());
}

// Counts the paints each label gets, to tell which were drawn again.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
    std::map<QObject *, int> paints;
};

// Three bold 50 px labels side by side, like the fields of one number.
class LabelSizeGroup : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = TestWindow::Make([this](TestWindow &w) {
            runtime::SetProperties(w, {{"Width", 620}, {"Height", 120}});
            for (std::size_t i = 0; i < labels.size(); ++i)
                labels[i] = AddNamed<Label>(w, u"field%1"_s.arg(i),
                                            {{"Left", 10 + 200 * int(i)}, {"Top", 20}, {"Width", 150}, {"Height", 70},
                                             {"Text", u"00"_s}, {"Bold", true}, {"FontSize", float(kBaseSize)}});
        });
    }
    void TearDown() override
    {
        window = nullptr;
        for (Ref<Label> &label : labels)
            label = nullptr;
        RuntimeFixture::TearDown();
    }

    void Join() { Label::JoinSizeGroup({labels[0], labels[1], labels[2]}); }
    std::array<int, 3> Sizes() const { return {DrawnSize(*labels[0]), DrawnSize(*labels[1]), DrawnSize(*labels[2])}; }

    Ref<TestWindow> window;
    std::array<Ref<Label>, 3> labels;
};

struct Members {
    const char *name;
    std::array<int, 3> widths;
    std::array<const char *, 3> texts;
    int shrinkingAlone; // members whose text does not fit their frame at full size
};

void PrintTo(const Members &row, std::ostream *os) { *os << row.name; }

class LabelSizeGroupMembers : public LabelSizeGroup, public ::testing::WithParamInterface<Members> {};

// Alone, each label fits its own text; joined, every member is drawn at the
// smallest of those sizes, at which each member's ink still fits its frame.
TEST_P(LabelSizeGroupMembers, ShareTheSmallestSizeAtWhichEachFits)
{
    const Members &row = GetParam();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->SetWidth(row.widths[i]);
        labels[i]->SetText(QString::fromLatin1(row.texts[i]));
    }
    const std::array<int, 3> alone = Sizes();
    EXPECT_EQ(std::count_if(alone.begin(), alone.end(), [](int size) { return size < kBaseSize; }),
              row.shrinkingAlone);

    Join();
    const int smallest = *std::min_element(alone.begin(), alone.end());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(DrawnSize(*labels[i]), smallest);
        EXPECT_TRUE(InkFits(*labels[i], smallest));
    }
    // No larger size would do: at one pixel more some member's ink sticks out.
    if (smallest < kBaseSize) {
        EXPECT_FALSE(InkFits(*labels[0], smallest + 1) && InkFits(*labels[1], smallest + 1)
                     && InkFits(*labels[2], smallest + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LabelSizeGroupMembers,
    ::testing::Values(Members{"AllFit", {150, 150, 150}, {"00", "00", "00"}, 0},
                      Members{"OneNarrowFrame", {150, 48, 150}, {"00", "00", "00"}, 1},
                      Members{"OneLongText", {150, 150, 150}, {"0000000", "00", "00"}, 1},
                      Members{"TheNarrowestOfTwoWins", {50, 150, 40}, {"00", "00", "00"}, 2},
                      Members{"AnEmptyMemberFitsAnySize", {150, 150, 20}, {"00", "00", ""}, 0}),
    [](const ::testing::TestParamInfo<Members> &row) { return std::string(row.param.name); });

// Every change of a member's text, frame or font fits the group again. The
// others are drawn again only when the group's size changes: a counter that
// ticks within the same size repaints itself alone.
TEST_F(LabelSizeGroup, RefitsOnEveryChangeAndRepaintsTheOthersOnlyWhenTheSizeChanges)
{
    struct Step {
        const char *what;
        std::size_t member;
        std::function<void(Label &)> change;
        bool othersRepainted;
        bool shrunk;
    };
    const Step steps[] = {
        {"a tick within the size", 2, [](Label &l) { l.SetText(u"01"_s); }, false, false},
        {"a text too long", 0, [](Label &l) { l.SetText(u"0000000"_s); }, true, true},
        {"a tick while shrunk", 2, [](Label &l) { l.SetText(u"02"_s); }, false, true},
        {"the long text gone", 0, [](Label &l) { l.SetText(u"00"_s); }, true, false},
        {"a narrower frame", 1, [](Label &l) { l.SetWidth(45); }, true, true},
        {"the frame back", 1, [](Label &l) { l.SetWidth(150); }, true, false},
        {"a smaller font", 1, [](Label &l) { runtime::SetProperties(l, {{"FontSize", 30.0f}}); }, true, true},
    };
    Join();
    ASSERT_TRUE(ShowExposed(*window));
    PaintCounter counter;
    for (const Ref<Label> &label : labels)
        label->Widget()->installEventFilter(&counter);

    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        QCoreApplication::processEvents();
        counter.paints.clear();
        step.change(*labels[step.member]);
        // One pass paints every label marked since; the changed one is always among them.
        ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints[labels[step.member]->Widget()] > 0; }));
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (i != step.member) {
                EXPECT_EQ(counter.paints[labels[i]->Widget()] > 0, step.othersRepainted) << "label " << i;
            }
        }
        const std::array<int, 3> sizes = Sizes();
        EXPECT_EQ(sizes[0], sizes[1]);
        EXPECT_EQ(sizes[1], sizes[2]);
        EXPECT_EQ(sizes[0] < kBaseSize, step.shrunk) << sizes[0];
        for (const Ref<Label> &label : labels)
            EXPECT_TRUE(InkFits(*label, sizes[0]));
    }
}

// A label of no group keeps its own fit, whatever its neighbours do.
TEST_F(LabelSizeGroup, ALabelOutsideTheGroupKeepsItsOwnSize)
{
    Label::JoinSizeGroup({labels[0], labels[1]});
    labels[0]->SetText(u"0000000"_s);
    EXPECT_LT(DrawnSize(*labels[1]), kBaseSize);
    EXPECT_EQ(DrawnSize(*labels[2]), kBaseSize);
    // Joining another group leaves the first one, which fits again without it.
    Label::JoinSizeGroup({labels[0], labels[2]});
    EXPECT_EQ(DrawnSize(*labels[1]), kBaseSize);
    EXPECT_EQ(DrawnSize(*labels[2]), DrawnSize(*labels[0]));
    EXPECT_LT(DrawnSize(*labels[2]), kBaseSize);
}

} // namespace
} // namespace tickora::testing
