#include "runtime/widgets/controls/Label.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tickora::runtime {

namespace {

class LabelWidget final : public QWidget, public detail::ControlWidget {
public:
    LabelWidget(Label &owner, QWidget *parent) : QWidget(parent), m_owner(owner) {}

    RectControl &Control() const override { return m_owner; }

    // The pixel size at which the label's own single-line text fits its
    // frame: the font's own size whenever the ink fits, even if the advance
    // width does not (a bold colon's side bearings are wider than its 14 px
    // field). Only a text whose ink truly does not fit, such as hours past
    // 99, is made smaller, just until its ink fits. Measuring lays the text
    // out, so the answer is kept until the text, the frame or the font
    // changes; the seconds change every second.
    int FittedSize()
    {
        const QString text = m_owner.DisplayedText();
        if (FitHolds(text))
            return m_fit.size;
        m_fit.text = text;
        m_fit.width = width();
        m_fit.base = font();
        m_fit.size = BaseSize();

        QFont font = m_fit.base;
        m_fit.ink = QFontMetricsF(font).tightBoundingRect(text);
        if (m_fit.ink.width() > width()) {
            // Glyphs do not scale quite linearly at small sizes, hence the
            // final steps down.
            m_fit.size = std::max(kSmallestSize, static_cast<int>(m_fit.size * width() / m_fit.ink.width()));
            for (;;) {
                font.setPixelSize(m_fit.size);
                m_fit.ink = QFontMetricsF(font).tightBoundingRect(text);
                if (m_fit.ink.width() <= width() || m_fit.size == kSmallestSize)
                    break;
                --m_fit.size;
            }
        }
        return m_fit.size;
    }

    // The label's font at `size`, or as it stands when that is its own size.
    QFont AtSize(int size) const
    {
        if (size >= BaseSize())
            return font();
        QFont smaller = font();
        smaller.setPixelSize(size);
        return smaller;
    }

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
        const QFont drawn = m_owner.DrawnFont();
        painter.setFont(drawn);
        // The ink is already inside the frame; Qt's own clip would go by the
        // advance width and cut a colon that fits.
        const QRect area = rect().translated(Shift(text, drawn), 0);
        FillBackground(painter, flags, text, area);
        painter.drawText(area, flags | Qt::TextDontClip, text);
    }

    void resizeEvent(QResizeEvent *) override { m_owner.FitChanged(); }
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange)
            m_owner.FitChanged();
        QWidget::changeEvent(event);
    }

private:
    int BaseSize() const { return QFontInfo(font()).pixelSize(); }
    bool FitHolds(const QString &text) const
    {
        return text == m_fit.text && width() == m_fit.width && font() == m_fit.base;
    }

    // How far the text moves so that the ink, where the alignment puts it,
    // lies inside the frame. Kept like the fit, for the same reason.
    int Shift(const QString &text, const QFont &drawn)
    {
        const std::int64_t alignment = m_owner.TextAlignment();
        if (text == m_shift.text && width() == m_shift.width && alignment == m_shift.alignment
            && drawn == m_shift.font)
            return m_shift.pixels;
        m_shift.text = text;
        m_shift.width = width();
        m_shift.alignment = alignment;
        m_shift.font = drawn;

        const QFontMetricsF metrics(drawn);
        // Drawn at its own fitted size, the text's ink is known already; a
        // size group may draw it smaller still.
        const QRectF ink =
            FitHolds(text) && drawn == AtSize(m_fit.size) ? m_fit.ink : metrics.tightBoundingRect(text);
        const qreal advance = metrics.horizontalAdvance(text);
        qreal origin = 0.0;
        if (alignment == Label::AlignCenter)
            origin = (width() - advance) / 2.0;
        else if (alignment == Label::AlignRight)
            origin = width() - advance;
        const qreal inkLeft = origin + ink.left();
        const qreal inkRight = origin + ink.right();
        m_shift.pixels = 0;
        if (inkLeft < 0.0)
            m_shift.pixels = static_cast<int>(std::ceil(-inkLeft));
        else if (inkRight > width())
            m_shift.pixels = -static_cast<int>(std::ceil(inkRight - width()));
        return m_shift.pixels;
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

    static constexpr int kSmallestSize = 6;

    Label &m_owner;
    struct {
        QString text;
        int width = -1;
        QFont base;
        int size = 0;
        QRectF ink; // of the text at `size`
    } m_fit;
    struct {
        QString text;
        int width = -1;
        std::int64_t alignment = -1;
        QFont font;
        int pixels = 0;
    } m_shift;
};

} // namespace

// The members are the labels themselves, not their references: a label
// leaves its group when it goes, and the window holds its labels.
struct Label::SizeGroup {
    std::vector<Label *> members;
    // As last drawn, to tell whether the others must repaint; -1 until a
    // member is first drawn.
    int size = -1;

    // The smallest size at which each single-line member's text fits. Each
    // member keeps its own fit, so only a changed member is measured again.
    int Smallest() const
    {
        int smallest = std::numeric_limits<int>::max();
        for (Label *member : members) {
            if (auto *widget = static_cast<LabelWidget *>(member->Widget()); widget && !member->m_multiline)
                smallest = std::min(smallest, widget->FittedSize());
        }
        return smallest;
    }

    // Nothing is measured before a member is first drawn: while a window is
    // being built its labels' fonts are not final yet, and measuring them
    // would load faces that are never drawn (start-up time). The first paint
    // finds the size (DrawnFont).
    void Refit()
    {
        if (size < 0)
            return;
        const int smallest = Smallest();
        if (smallest == size)
            return;
        size = smallest;
        for (Label *member : members) {
            if (QWidget *widget = member->Widget())
                widget->update();
        }
    }
};

Label::Label() = default;

Label::~Label()
{
    // A label goes only with its window, so none of its group is left to draw.
    if (m_sizeGroup)
        std::erase(m_sizeGroup->members, this);
}

void Label::JoinSizeGroup(const std::vector<Ref<Label>> &members)
{
    auto group = std::make_shared<SizeGroup>();
    for (const Ref<Label> &member : members) {
        member->CheckedWidget();
        member->LeaveSizeGroup();
        member->m_sizeGroup = group;
        group->members.push_back(member.Get());
    }
}

void Label::LeaveSizeGroup()
{
    if (!m_sizeGroup)
        return;
    std::erase(m_sizeGroup->members, this);
    // Without this label the others may fit a larger size.
    m_sizeGroup->Refit();
    m_sizeGroup.reset();
}

void Label::FitChanged()
{
    if (m_sizeGroup)
        m_sizeGroup->Refit();
}

QFont Label::DrawnFont() const
{
    auto *widget = static_cast<LabelWidget *>(CheckedWidget());
    if (m_multiline)
        return widget->font();
    if (!m_sizeGroup)
        return widget->AtSize(widget->FittedSize());
    m_sizeGroup->size = m_sizeGroup->Smallest();
    return widget->AtSize(m_sizeGroup->size);
}

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
    FitChanged();
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
    FitChanged();
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

Accessible::Description Label::Reading() const
{
    const QString text = DisplayedText();
    const QString given = GivenName();
    return {.Name = given.isEmpty() ? text : given, .Text = text};
}

bool Label::CanPress() const
{
    const QWidget *widget = Widget();
    return MouseDown.IsAttached() && widget && widget->isVisible() && widget->isEnabled();
}

void Label::Press()
{
    if (CanPress())
        MouseDown.Raise(*this, Width() / 2, Height() / 2);
}

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
