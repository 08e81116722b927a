// Figures as a French reader writes them, with a decimal comma, for the
// class's results shown in a page or a spreadsheet.
#pragma once

#include <string>

// "66,7 %": part of whole, to a tenth; "" when whole is 0 (no pupil counted).
std::string FrenchPercent(int part, int whole);

// "2,4": total shared by count, to a tenth; "" when count is 0.
std::string FrenchAverage(int total, int count);
