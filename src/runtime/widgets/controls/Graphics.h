#pragma once

#include "runtime/core/Properties.h"

class QPainter;

namespace tickora::runtime {

// A drawing context handed to paint events: the area to paint is Width by
// Height, with its origin at the area's top-left corner.
class Graphics : public Object {
public:
    Graphics(QPainter &painter, double width, double height);
    ~Graphics() override;

    Color ForeColor() const { return m_foreColor; }
    void SetForeColor(Color colour);
    void FillRect(double x, double y, double width, double height);
    double Width() const { return m_width; }
    double Height() const { return m_height; }

private:
    QPainter &m_painter;
    double m_width;
    double m_height;
    Color m_foreColor;
};

} // namespace tickora::runtime
