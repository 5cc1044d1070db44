// Every text of every window fits its label in the face the layouts were
// drawn for, so none is cut or drawn smaller than its layout says.
#include "support/FaceGuard.h"
#include "support/RuntimeFixture.h"

#include "dialogs/AboutWindow.h"
#include "dialogs/Donation.h"
#include "runtime/widgets/controls/Label.h"
#include "stopwatch/main.h"

#include <QFontMetricsF>
#include <QTest>
#include <QWidget>

namespace tickora::testing {
namespace {

using runtime::Label;
using runtime::Ref;
using runtime::Window;

struct WindowLabels {
    const char *window;
    std::vector<const char *> labels;
};

const WindowLabels kLabels[] = {
    {"main",
     {"sec", "labelSekunde", "min", "labelMinute", "stu", "labelStunde", "LabelDoppelpunkt1", "LabelDoppelpunkt2",
      "timestring", "LabelLap", "LabelZZ", "LabelDif", "zwischenzeit", "Label1", "Label2", "Label3", "LabelDif1",
      "LabelHour", "LabelMin", "LabelHour1"}},
    {"AboutWindow",
     {"StatAppName", "StatAppVersion", "StatAppCopyright", "WebAdresse", "StaticText2", "StatAppContent"}},
    {"Donation", {"StaticText1", "StaticText2"}},
};

// The window as the program opens it, with its texts written.
Ref<Window> Opened(const QByteArray &name)
{
    Ref<Window> window;
    if (name == "main") {
        window = main::Instance();
    } else if (name == "AboutWindow") {
        const Ref<AboutWindow> about = AboutWindow::Instance();
        about->Show(true);
        window = about;
    } else {
        const Ref<Donation> donation = Donation::Instance();
        donation->Show();
        window = donation;
    }
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));
    return window;
}

class TextFit : public RuntimeFixture {};

TEST_F(TextFit, EveryLabelOfEveryWindowHoldsItsTextAtItsOwnSize)
{
    TICKORA_SKIP_IF(WithoutLayoutFace());
    for (const WindowLabels &entry : kLabels) {
        const Ref<Window> window = Opened(entry.window);
        for (const char *name : entry.labels) {
            SCOPED_TRACE(std::string(entry.window) + '.' + name);
            const Ref<Label> label = window->ControlAs<Label>(QString::fromLatin1(name));
            const QString text = label->DisplayedText();
            ASSERT_FALSE(text.isEmpty());
            const QFontMetricsF metrics(label->Widget()->font());
            const QSizeF frame(label->Widget()->size());
            if (label->Multiline()) {
                // Wrapped at the label's width, the lines must fit its height.
                const QRectF wrapped = metrics.boundingRect(QRectF(QPointF(), QSizeF(frame.width(), 1000.0)),
                                                            Qt::TextWordWrap, text);
                EXPECT_LE(wrapped.height(), frame.height());
            } else {
                const QRectF ink = metrics.tightBoundingRect(text);
                EXPECT_LE(ink.width(), frame.width()) << text.toStdString();
                EXPECT_LE(ink.height(), frame.height()) << text.toStdString();
            }
        }
    }
}

} // namespace
} // namespace tickora::testing
