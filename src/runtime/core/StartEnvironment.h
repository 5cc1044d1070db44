#pragma once

#include <QByteArray>

#include <vector>

namespace tickora::runtime {

// Environment variables that Qt reads only while it starts, set for that
// time alone: on leaving the scope every variable is as it was again, set
// to its old value or unset, so that a program the process starts later (a
// web browser) inherits none of them.
class StartEnvironment {
public:
    StartEnvironment() = default;
    StartEnvironment(const StartEnvironment &) = delete;
    StartEnvironment &operator=(const StartEnvironment &) = delete;
    ~StartEnvironment();

    void Set(const char *name, const QByteArray &value);

private:
    struct Before {
        const char *name;
        bool wasSet;
        QByteArray value;
    };
    std::vector<Before> m_before;
};

} // namespace tickora::runtime
