#pragma once

#include "runtime/core/Properties.h"
#include "runtime/core/Ref.h"

#include <QDateTime>

#include <cstdint>

namespace tickora::runtime {

// A moment in the local time zone, read from the runtime clock.
class DateTime : public Object {
public:
    explicit DateTime(QDateTime local);

    static Ref<DateTime> Now();

    std::int64_t Hour() const;
    std::int64_t Minute() const;

private:
    QDateTime m_local;
};

} // namespace tickora::runtime
