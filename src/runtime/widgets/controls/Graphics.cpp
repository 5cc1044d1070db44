#include "runtime/widgets/controls/Graphics.h"

#include "runtime/core/Boundary.h"

#include <QPainter>
#include <QRectF>

namespace tickora::runtime {

Graphics::Graphics(QPainter &painter, double width, double height)
    : m_painter(painter), m_width(width), m_height(height)
{
}

Graphics::~Graphics() = default;

void Graphics::SetForeColor(Color colour)
{
    CheckUIThread();
    m_foreColor = colour;
}

void Graphics::FillRect(double x, double y, double width, double height)
{
    CheckUIThread();
    m_painter.fillRect(QRectF(x, y, width, height), m_foreColor.ToQColor());
}

} // namespace tickora::runtime
