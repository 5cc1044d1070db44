#pragma once

#include <QString>

#include <ostream>

// Readable failure messages for the Qt values the tests compare; GoogleTest
// finds these next to the types they print.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
