#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages for the Qt values the tests compare, instead of
// their bytes; GoogleTest finds these next to the types they print. Every
// test binary gets them (tests/CMakeLists.txt), so no test can forget them.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

inline void PrintTo(const QStringList &texts, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(texts[i], os);
    }
    *os << '}';
}

inline void PrintTo(const QPoint &point, std::ostream *os) { *os << '(' << point.x() << ", " << point.y() << ')'; }

inline void PrintTo(const QSize &size, std::ostream *os) { *os << size.width() << 'x' << size.height(); }

inline void PrintTo(const QRect &rect, std::ostream *os)
{
    *os << rect.width() << 'x' << rect.height() << '+' << rect.x() << '+' << rect.y();
}
