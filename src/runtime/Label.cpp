#include "runtime/Label.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tickora::runtime {

namespace {

class LabelWidget final : public QWidget {
public:
    LabelWidget(Label &owner, QWidget *parent) : QWidget(parent), m_owner(owner) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(m_owner.TextColor().ToQColor());

        Qt::Alignment horizontal = Qt::AlignLeft;
        if (m_owner.TextAlignment() == Label::AlignCenter)
            horizontal = Qt::AlignHCenter;
        else if (m_owner.TextAlignment() == Label::AlignRight)
            horizontal = Qt::AlignRight;

        const QString text = m_owner.DisplayedText();
        if (m_owner.Multiline()) {
            const int flags = static_cast<int>(horizontal | Qt::AlignTop | Qt::TextWordWrap);
            painter.setFont(font());
            FillBackground(painter, flags, text, rect());
            painter.drawText(rect(), flags, text);
            return;
        }
        const int flags = static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine);
        const Fit &fit = Fitted(text);
        painter.setFont(fit.font);
        // The ink is already inside the frame; Qt's own clip would go by the
        // advance width and cut a colon that fits.
        const QRect area = rect().translated(fit.shift, 0);
        FillBackground(painter, flags, text, area);
        painter.drawText(area, flags | Qt::TextDontClip, text);
    }

    struct Fit {
        QFont font;
        int shift = 0; // pixels the text moves so that its ink stays inside
    };

    // A single-line text is drawn at the label's size whenever its ink fits,
    // even if its advance width does not (a bold colon's side bearings are
    // wider than its 14 px field): the large digit fields then all share one
    // size. Only a text whose ink truly does not fit, such as hours past 99,
    // is made smaller, just until its ink fits. Measuring lays the text out,
    // so the answer is kept until the text, the frame or the font changes;
    // the seconds repaint every second.
    const Fit &Fitted(const QString &text)
    {
        const std::int64_t alignment = m_owner.TextAlignment();
        if (text == m_fittedText && width() == m_fittedWidth && alignment == m_fittedAlignment
            && font() == m_baseFont)
            return m_fit;
        m_fittedText = text;
        m_fittedWidth = width();
        m_fittedAlignment = alignment;
        m_baseFont = m_fit.font = font();

        QRectF ink = QFontMetricsF(m_fit.font).tightBoundingRect(text);
        if (ink.width() > width()) {
            // Glyphs do not scale quite linearly at small sizes, hence the
            // final steps down.
            const int base = QFontInfo(m_baseFont).pixelSize();
            int size = std::max(kSmallestSize, static_cast<int>(base * width() / ink.width()));
            for (;;) {
                m_fit.font.setPixelSize(size);
                ink = QFontMetricsF(m_fit.font).tightBoundingRect(text);
                if (ink.width() <= width() || size == kSmallestSize)
                    break;
                --size;
            }
        }

        // Where the alignment puts the ink, and how far it must move to lie
        // inside the frame.
        const qreal advance = QFontMetricsF(m_fit.font).horizontalAdvance(text);
        qreal origin = 0.0;
        if (alignment == Label::AlignCenter)
            origin = (width() - advance) / 2.0;
        else if (alignment == Label::AlignRight)
            origin = width() - advance;
        const qreal inkLeft = origin + ink.left();
        const qreal inkRight = origin + ink.right();
        m_fit.shift = 0;
        if (inkLeft < 0.0)
            m_fit.shift = static_cast<int>(std::ceil(-inkLeft));
        else if (inkRight > width())
            m_fit.shift = -static_cast<int>(std::ceil(inkRight - width()));
        return m_fit;
    }

    // An opaque label paints the window's colour behind its text. Labels may
    // overlap their neighbours (the clock's separator lies over both numbers),
    // so the background hugs the text rather than the whole frame, and never
    // hides a neighbour's text.
    void FillBackground(QPainter &painter, int flags, const QString &text, const QRect &area)
    {
        if (m_owner.Transparent() || text.isEmpty())
            return;
        const QRect textArea = painter.boundingRect(area, flags, text);
        painter.fillRect(textArea.adjusted(-1, 0, 1, 0) & rect(), palette().color(QPalette::Window));
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        // Without a handler the click belongs to the window behind the label.
        if (!m_owner.MouseDown.IsAttached()) {
            event->ignore();
            return;
        }
        const QPoint at = event->position().toPoint();
        m_owner.MouseDown.Raise(m_owner, at.x(), at.y());
    }
    void enterEvent(QEnterEvent *) override { m_owner.MouseEnter.Raise(m_owner); }
    void leaveEvent(QEvent *) override { m_owner.MouseExit.Raise(m_owner); }

private:
    static constexpr int kSmallestSize = 6;

    Label &m_owner;
    QString m_fittedText;
    int m_fittedWidth = -1;
    std::int64_t m_fittedAlignment = -1;
    QFont m_baseFont;
    Fit m_fit;
};

} // namespace

Label::Label() = default;
Label::~Label() = default;

QWidget *Label::CreateWidget(QWidget *parent)
{
    auto *widget = new LabelWidget(*this, parent);
    widget->setFont(m_font.ToQFont());
    return widget;
}

QString Label::Text() const
{
    CheckedWidget();
    return m_text;
}

void Label::SetText(const QString &text)
{
    QWidget *widget = CheckedWidget();
    if (text == m_text)
        return;
    m_text = text;
    widget->update();
}

QString Label::DisplayedText() const
{
    QString shown = m_text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!m_multiline) {
        while (shown.endsWith(QLatin1Char('\n')))
            shown.chop(1);
        shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return shown;
}

void Label::SetTextColor(Color colour)
{
    QWidget *widget = CheckedWidget();
    m_textColor = colour;
    widget->update();
}

void Label::SetTextAlignment(std::int64_t alignment)
{
    QWidget *widget = CheckedWidget();
    m_alignment = alignment;
    widget->update();
}

void Label::SetMultiline(bool multiline)
{
    QWidget *widget = CheckedWidget();
    m_multiline = multiline;
    widget->update();
}

void Label::SetTransparent(bool transparent)
{
    QWidget *widget = CheckedWidget();
    m_transparent = transparent;
    widget->update();
}

void Label::SetUnderline(bool underline)
{
    CheckedWidget();
    m_font.Underline = underline;
    Restyle();
}

void Label::Restyle()
{
    QWidget *widget = CheckedWidget();
    widget->setFont(m_font.ToQFont());
    widget->update();
}

void Label::RaiseOpen() { Open.Raise(*this); }

void Label::SetProperty(std::string_view name, const PropertyValue &value)
{
    using T = PropertyTable<Label>;
    static const T table{
        T::Setter("Text", &Label::SetText),
        T::Setter("TextColor", &Label::SetTextColor),
        T::Setter("TextAlignment", &Label::SetTextAlignment),
        T::Setter("Multiline", &Label::SetMultiline),
        T::Setter("Transparent", &Label::SetTransparent),
        // Labels here are never selectable and bound to no data source.
        T::Inert<bool>("Selectable"),
        T::Inert<QString>("DataSource"),
        T::Inert<QString>("DataField"),
    };
    if (table.Apply(*this, name, value))
        return;
    if (ApplyFontProperty(m_font, name, value)) {
        Restyle();
        return;
    }
    RectControl::SetProperty(name, value);
}

} // namespace tickora::runtime
