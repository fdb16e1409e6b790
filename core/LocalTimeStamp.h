#pragma once
// The current local time as "YYYYmmdd HH:MM +hhmm" (offset from UTC), for trace lines.
// The text lives in one static buffer that each call overwrites.

const char* LocalTimeStamp();

// Minutes from UTC to local time, given both broken-down times of the same instant.
int UtcOffsetMinutes(int localHour, int localMinute, int localYearDay, int utcHour,
                     int utcMinute, int utcYearDay);
