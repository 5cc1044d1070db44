// The large digit fields and colons as they are drawn: measured on the
// rendered pixels, since the font a label is given says nothing of the size
// it ends up drawn at.
#include "MainWindowFixture.h"

#include <QFontMetricsF>
#include <QImage>

#include <cstdlib>

namespace tickora::testing {
namespace {

using runtime::Label;

class DigitFields : public MainWindowFixture {
protected:
    // The ink that a label draws for a text, in the label's coordinates: the
    // pixels of the window that change when the text is taken away again.
    QRect Ink(Label &label, const QString &text) const
    {
        QWidget *content = window->ContentWidget();
        const QRect area(label.Widget()->mapTo(content, QPoint()), label.Widget()->size());
        label.SetText(text);
        const QImage with = content->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
        label.SetText(QString());
        const QImage without = content->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
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

} // namespace
} // namespace tickora::testing
