#include "runtime/core/DateTime.h"

#include "runtime/core/Clock.h"

namespace tickora::runtime {

DateTime::DateTime(QDateTime local) : m_local(std::move(local)) {}

Ref<DateTime> DateTime::Now() { return NewObject<DateTime>(CurrentClock().LocalNow()); }

std::int64_t DateTime::Hour() const { return m_local.time().hour(); }
std::int64_t DateTime::Minute() const { return m_local.time().minute(); }

} // namespace tickora::runtime
