#include "core/LocalTimeStamp.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
constexpr int kMinutesPerDay = 1440;
char stampText[64];
}  // namespace

int UtcOffsetMinutes(int localHour, int localMinute, int localYearDay, int utcHour,
                     int utcMinute, int utcYearDay) {
  int offset = (localHour * 60 + localMinute) - (utcHour * 60 + utcMinute);
  const int dayDifference = localYearDay - utcYearDay;
  // More than one day apart means the two days straddle a year boundary.
  if (dayDifference == 1 || dayDifference < -1) {
    offset += kMinutesPerDay;
  } else if (dayDifference == -1 || dayDifference > 1) {
    offset -= kMinutesPerDay;
  }
  return offset;
}

const char* LocalTimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  std::tm utc{};
  localtime_r(&now, &local);
  gmtime_r(&now, &utc);
  const size_t length = std::strftime(stampText, sizeof stampText, "%Y%m%d %H:%M ", &local);
  const int offset = UtcOffsetMinutes(local.tm_hour, local.tm_min, local.tm_yday, utc.tm_hour,
                                      utc.tm_min, utc.tm_yday);
  std::snprintf(stampText + length, sizeof stampText - length, "%c%02d%02d",
                offset < 0 ? '-' : '+', std::abs(offset) / 60, std::abs(offset) % 60);
  return stampText;
}
