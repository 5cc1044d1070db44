#pragma once

#include <QPoint>
#include <QString>

#include <ostream>

// Readable failure messages for the Qt values the tests compare; GoogleTest
// finds these next to the types they print.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QPoint &point, std::ostream *os) { *os << '(' << point.x() << ", " << point.y() << ')'; }
