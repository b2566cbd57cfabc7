#include "clock.h"

namespace {
std::function<QDateTime()> &source()
{
    static std::function<QDateTime()> current;
    return current;
}
}

namespace Clock {

QDateTime now() { return source() ? source()() : QDateTime::currentDateTime(); }

QDate today() { return now().date(); }

QTime timeOfDay()
{
    // Whole seconds: times are stored as HH:MM:SS.
    const QTime t = now().time();
    return QTime(t.hour(), t.minute(), t.second());
}

void setSource(std::function<QDateTime()> s) { source() = std::move(s); }

void setFixed(const QDateTime &moment)
{
    setSource([moment] { return moment; });
}

void useSystemClock() { source() = nullptr; }

}
