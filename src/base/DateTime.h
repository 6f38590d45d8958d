#pragma once

namespace torvane {

// A date-time as the client's data file stores it: days since 30 December
// 1899, the fraction being the time of day.
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond);

}  // namespace torvane
