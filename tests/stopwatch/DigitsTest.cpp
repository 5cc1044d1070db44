// The large digit fields and colons as they are drawn: measured on the
// rendered pixels, since the font a label is given says nothing of the size
// it ends up drawn at.
#include "MainWindowFixture.h"

#include "support/FaceGuard.h"

#include "app/shared/Faces.h"
#include "runtime/widgets/controls/Font.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>

#include <array>
#include <cstdlib>
#include <optional>

namespace tickora::testing {
namespace {

using runtime::Label;

class DigitFields : public MainWindowFixture {
protected:
    // The figures below hold for the faces the layout was drawn for.
    void SetUp() override
    {
        TICKORA_SKIP_IF(WithoutLayoutFace());
        MainWindowFixture::SetUp();
    }

    // The ink that a label draws for a text, in the label's coordinates: the
    // pixels of the window that change when the text is taken away again.
    QRect Ink(Label &label, const QString &text) const
    {
        label.SetText(text);
        const QImage with = Grab(label);
        label.SetText(QString());
        return Difference(with, Grab(label));
    }
    // The label's part of the window as drawn now.
    QImage Grab(const runtime::RectControl &label) const
    {
        QWidget *content = window->ContentWidget();
        const QRect area(label.Widget()->mapTo(content, QPoint()), label.Widget()->size());
        return content->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    }
    static QRect Difference(const QImage &with, const QImage &without)
    {
        QRect ink;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                const QRgb a = with.pixel(x, y), b = without.pixel(x, y);
                // More than half covered: the edge that smoothing adds is not ink.
                if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b))
                    > 3 * 100)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        return ink;
    }
    // The ink that the label's own font gives the text, unscaled.
    static QRectF FullSize(const Label &label, const QString &text)
    {
        return QFontMetricsF(label.Widget()->font()).tightBoundingRect(text);
    }
};

// Each field and colon is drawn whole and at the layout's size, so the three
// fields match and the colons stand as tall as the digits' upper part.
TEST_F(DigitFields, FieldsAndColonsAreDrawnWholeAtTheirFullSize)
{
    const QString zeros = QStringLiteral("00"), colon = QStringLiteral(":");
    const std::pair<runtime::Ref<Label>, QString> drawn[] = {
        {window->stu(), zeros},
        {window->min(), zeros},
        {window->sec(), zeros},
        {window->LabelDoppelpunkt1(), colon},
        {window->LabelDoppelpunkt2(), colon},
    };
    const int zerosHeight = Ink(*window->stu(), zeros).height();
    EXPECT_GE(zerosHeight, 30); // bold digits of a 50 px sans face
    for (const auto &[label, text] : drawn) {
        SCOPED_TRACE(label->Name().toStdString());
        const QRect ink = Ink(*label, text);
        const QRectF full = FullSize(*label, text);
        EXPECT_NEAR(ink.height(), full.height(), 1.0);
        EXPECT_NEAR(ink.width(), full.width(), 1.0);
        if (text == zeros)
            EXPECT_EQ(ink.height(), zerosHeight);
        else
            EXPECT_GE(ink.height(), 0.65 * zerosHeight);
    }
}

struct Overflow {
    const char *hours;
    double smallestHeight; // of the ink, as a share of "00"'s
};

class DigitFieldsOverflow : public DigitFields, public ::testing::WithParamInterface<Overflow> {};

// Hours past 99 do not fit the hours field: the number is drawn smaller,
// just until its ink fits, whole and in its own proportions.
TEST_P(DigitFieldsOverflow, HoursPast99ShrinkUntilTheirInkFits)
{
    Label &hours = *window->stu();
    const QString text = QString::fromLatin1(GetParam().hours);
    const int zerosHeight = Ink(hours, QStringLiteral("00")).height();
    const QRect ink = Ink(hours, text);
    EXPECT_LE(ink.width(), hours.Width());
    EXPECT_GE(ink.height(), GetParam().smallestHeight * zerosHeight);
    // A number cut at either edge would be narrower than its height says.
    const QRectF full = FullSize(hours, text);
    const double drawnShape = double(ink.width()) / ink.height();
    EXPECT_NEAR(drawnShape, full.width() / full.height(), 0.1 * drawnShape);
}

INSTANTIATE_TEST_SUITE_P(Hours, DigitFieldsOverflow,
                         ::testing::Values(Overflow{"100", 0.6}, Overflow{"1000", 0.5}));

struct OneSize {
    const char *face; // behind "System"; null for the program's own choice
    const char *hours;
};

void PrintTo(const OneSize &row, std::ostream *os)
{
    *os << (row.face ? row.face : "layout face") << ", " << row.hours;
}

class DigitFieldsOneSize : public DigitFields, public ::testing::WithParamInterface<OneSize> {
protected:
    // A named face goes behind "System" in place of the layout's faces.
    void SetUp() override
    {
        if (const char *face = GetParam().face) {
            TICKORA_SKIP_IF(WithoutFace(QString::fromLatin1(face)));
            runtime::SetFontFaces(QStringLiteral("System"), {QString::fromLatin1(face)});
            MainWindowFixture::SetUp();
        } else {
            DigitFields::SetUp();
        }
    }
    void TearDown() override
    {
        DigitFields::TearDown();
        UseLayoutFaces();
    }
};

// The three fields read as one number. When one must shrink, because the
// face is wider than the one the layout was drawn for or the hours have
// grown past 99, all three are drawn at its size: the same ink height, tops
// and bottoms in line, each number whole. The colons keep their full size.
TEST_P(DigitFieldsOneSize, FieldsShrinkTogetherAndTheColonsKeepTheirSize)
{
    const QString zeros = QStringLiteral("00"), colon = QStringLiteral(":");
    const QString hours = QString::fromLatin1(GetParam().hours);
    const runtime::Ref<Label> fields[] = {window->stu(), window->min(), window->sec()};
    const runtime::Ref<Label> colons[] = {window->LabelDoppelpunkt1(), window->LabelDoppelpunkt2()};
    if (GetParam().face) {
        // The row means a face too wide for the hours field, DejaVu Sans being
        // the one that every machine of ours has.
        ASSERT_EQ(QFontInfo(window->stu()->Widget()->font()).family(), QString::fromLatin1(GetParam().face));
        ASSERT_GT(FullSize(*window->stu(), zeros).width(), window->stu()->Width());
    }

    // Everything drawn, and then nothing: what differs is each label's ink.
    const QString texts[] = {hours, zeros, zeros};
    std::array<QImage, 3> fieldsShown;
    std::array<QImage, 2> colonsShown;
    for (std::size_t i = 0; i < fieldsShown.size(); ++i)
        fields[i]->SetText(texts[i]);
    for (std::size_t i = 0; i < fieldsShown.size(); ++i)
        fieldsShown[i] = Grab(*fields[i]);
    for (std::size_t i = 0; i < colonsShown.size(); ++i)
        colonsShown[i] = Grab(*colons[i]);
    for (const auto &label : fields)
        label->SetText(QString());
    for (const auto &label : colons)
        label->SetText(QString());

    std::array<QRect, 3> ink;
    for (std::size_t i = 0; i < ink.size(); ++i) {
        SCOPED_TRACE(fields[i]->Name().toStdString());
        // Every field lies at the same top, so its own coordinates compare directly.
        ink[i] = Difference(fieldsShown[i], Grab(*fields[i]));
        ASSERT_FALSE(ink[i].isEmpty());
        // Whole and readable: drawn in its own proportions, not cut at an edge.
        const QRectF full = FullSize(*fields[i], texts[i]);
        const double drawnShape = double(ink[i].width()) / ink[i].height();
        EXPECT_NEAR(drawnShape, full.width() / full.height(), 0.1 * drawnShape);
        EXPECT_GE(ink[i].height(), 0.55 * FullSize(*fields[i], zeros).height());
    }
    // Minutes and seconds show the same glyphs, so they match to the pixel;
    // hours of other digits may differ by a pixel of overshoot.
    EXPECT_EQ(ink[1], ink[2].translated(ink[1].left() - ink[2].left(), 0));
    const int tolerance = hours == zeros ? 0 : 1;
    EXPECT_NEAR(ink[0].top(), ink[1].top(), tolerance);
    EXPECT_NEAR(ink[0].bottom(), ink[1].bottom(), tolerance);
    EXPECT_NEAR(ink[0].height(), ink[1].height(), tolerance);

    for (std::size_t i = 0; i < colonsShown.size(); ++i) {
        SCOPED_TRACE(colons[i]->Name().toStdString());
        const QRect colonInk = Difference(colonsShown[i], Grab(*colons[i]));
        EXPECT_NEAR(colonInk.height(), FullSize(*colons[i], colon).height(), 1.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, DigitFieldsOneSize,
                         ::testing::Values(OneSize{nullptr, "117"}, OneSize{"DejaVu Sans", "00"},
                                           OneSize{"DejaVu Sans", "117"}));

} // namespace
} // namespace tickora::testing
