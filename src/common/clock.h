#pragma once

#include <QDateTime>
#include <functional>

// "Now" for the whole program: the computer's local date and time, or a
// fixed or scripted source installed by tests.
namespace Clock {
QDateTime now();
QDate today();
QTime timeOfDay();
void setSource(std::function<QDateTime()> source);
void setFixed(const QDateTime &moment);
void useSystemClock();
}
