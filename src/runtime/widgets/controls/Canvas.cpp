#include "runtime/widgets/controls/Canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace tickora::runtime {

namespace {

class CanvasWidget final : public QWidget, public detail::ControlWidget {
public:
    CanvasWidget(Canvas &owner, QWidget *parent) : QWidget(parent), m_owner(owner)
    {
        // Hover looks need the pointer's moves without a button held.
        setMouseTracking(true);
    }

    RectControl &Control() const override { return m_owner; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (!m_owner.Transparent())
            painter.fillRect(rect(), palette().color(QPalette::Window));
        if (Ref<Picture> picture = m_owner.Backdrop())
            painter.drawPixmap(0, 0, picture->Pixmap());
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        // Without a handler the click belongs to the window behind the picture.
        if (!m_owner.MouseDown.IsAttached()) {
            event->ignore();
            return;
        }
        const QPoint at = event->position().toPoint();
        m_owner.MouseDown.Raise(m_owner, at.x(), at.y());
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (event->buttons() != Qt::NoButton)
            return;
        const QPoint at = event->position().toPoint();
        m_owner.MouseMove.Raise(m_owner, at.x(), at.y());
    }
    void leaveEvent(QEvent *) override { m_owner.MouseExit.Raise(m_owner); }

private:
    Canvas &m_owner;
};

} // namespace

Canvas::Canvas() = default;
Canvas::~Canvas() = default;

QWidget *Canvas::CreateWidget(QWidget *parent) { return new CanvasWidget(*this, parent); }

Ref<Picture> Canvas::Backdrop() const
{
    CheckedWidget();
    return m_backdrop;
}

void Canvas::SetBackdrop(Ref<Picture> picture)
{
    QWidget *widget = CheckedWidget();
    if (picture == m_backdrop)
        return;
    m_backdrop = std::move(picture);
    widget->update();
    if (Describe.IsAttached())
        detail::NotifyAccessibleChange(widget, ReadAs() == Accessible::Role::ToggleButton);
}

Accessible::Description Canvas::Reading() const
{
    // Handlers take the canvas as every event of it passes it; reading changes nothing.
    Accessible::Description read = Describe.Raise(const_cast<Canvas &>(*this));
    if (read.Name.isEmpty())
        read.Name = GivenName();
    return read;
}

bool Canvas::CanPress() const
{
    const QWidget *widget = Widget();
    return MouseDown.IsAttached() && widget && widget->isVisible() && widget->isEnabled();
}

void Canvas::Press()
{
    if (CanPress())
        MouseDown.Raise(*this, Width() / 2, Height() / 2);
}

void Canvas::SetTransparent(bool transparent)
{
    QWidget *widget = CheckedWidget();
    m_transparent = transparent;
    widget->update();
}

void Canvas::SetProperty(std::string_view name, const PropertyValue &value)
{
    using T = PropertyTable<Canvas>;
    static const T table{
        T::Setter("Transparent", &Canvas::SetTransparent),
        // Canvases here never take the keyboard focus and Qt buffers every
        // widget; the values are kept as given.
        T::Inert<bool>("AllowFocus"),
        T::Inert<bool>("AllowFocusRing"),
        T::Inert<bool>("AllowTabs"),
        T::Inert<bool>("DoubleBuffer"),
    };
    if (!table.Apply(*this, name, value))
        RectControl::SetProperty(name, value);
}

} // namespace tickora::runtime
