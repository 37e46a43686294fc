#pragma once

#include <array>

namespace tintora {

extern const std::array<const char *, 12> MonthNames;
extern const char WeekdayInitials[8];  // "MTWTFSS", Monday first

// Weekdays count 1 = Monday .. 7 = Sunday; firstDow is the weekday of day 1. The first
// week row starts on the Monday of day 1's week.
int WeekRowOfDay(int day, int firstDow);
int WeekRowsInMonth(int daysInMonth, int firstDow);

}  // namespace tintora
