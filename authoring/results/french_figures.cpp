#include "authoring/results/french_figures.h"

namespace {

// tenths as "12,3", "12" when it is whole.
std::string Tenths(long long tenths)
{
    const std::string whole = std::to_string(tenths / 10);
    return tenths % 10 == 0 ? whole : whole + "," + std::to_string(tenths % 10);
}

// part / whole in tenths, rounded half up; parts and wholes are never negative.
long long RoundedTenths(long long part, long long whole)
{
    return (part * 20 + whole) / (2 * whole);
}

} // namespace

std::string FrenchPercent(int part, int whole)
{
    return whole <= 0 ? "" : Tenths(RoundedTenths(100LL * part, whole)) + " %";
}

std::string FrenchAverage(int total, int count)
{
    return count <= 0 ? "" : Tenths(RoundedTenths(total, count));
}
