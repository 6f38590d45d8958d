#include "base/DateTime.h"

namespace torvane {

namespace {
// Days from 1 March of year 0 (proleptic Gregorian) to the given date.
long DaysFromCivil(long y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}
}  // namespace

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond) {
    const long days = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
    const double time =
        (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / 86400000.0;
    return static_cast<double>(days) + time;
}

}  // namespace torvane
