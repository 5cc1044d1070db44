#include "stopwatch/TimeText.h"

#include "runtime/widgets/controls/Label.h"

namespace tickora {

QString FieldText(std::int64_t value)
{
    const QString digits = QString::number(value);
    return value < 10 ? QStringLiteral("0") + digits : digits;
}

std::int64_t FieldValue(const QString &text)
{
    bool ok = false;
    const std::int64_t value = text.toLongLong(&ok);
    return ok ? value : 0;
}

QString TimeString(const QString &hours, const QString &minutes, const QString &seconds)
{
    return hours + QLatin1Char(':') + minutes + QLatin1Char(':') + seconds;
}

Elapsed NextSecond(Elapsed time)
{
    time.seconds += 1;
    if (time.seconds > 59) {
        time.seconds = 0;
        time.minutes += 1;
        if (time.minutes > 59) {
            time.minutes = 0;
            time.hours += 1;
        }
    }
    return time;
}

void AddOneSecond(runtime::Label &seconds, runtime::Label &minutes, runtime::Label &hours)
{
    const QString secondsText = seconds.Text();
    const QString minutesText = minutes.Text();
    const QString hoursText = hours.Text();
    const Elapsed next = NextSecond({FieldValue(hoursText), FieldValue(minutesText), FieldValue(secondsText)});
    const QString newSeconds = FieldText(next.seconds);
    const QString newMinutes = FieldText(next.minutes);
    const QString newHours = FieldText(next.hours);
    seconds.SetText(newSeconds);
    minutes.SetText(newMinutes);
    hours.SetText(newHours);
}

} // namespace tickora
