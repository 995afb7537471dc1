// platform/time_zone.cpp - the system's time zone through QTimeZone (time_zone.h).
#include "platform/time_zone.h"

#include <QDateTime>
#include <QTimeZone>

namespace qv {

SystemZone GetSystemTimeZone() {
  constexpr double SecondsPerHour = 3600.0;
  const QTimeZone zone = QTimeZone::systemTimeZone();
  const QDateTime now = QDateTime::currentDateTimeUtc();
  SystemZone out;
  out.id = zone.id().toStdString();
  out.standardHours = zone.standardTimeOffset(now) / SecondsPerHour;
  out.daylightSaving = zone.hasDaylightTime();
  return out;
}

}  // namespace qv
