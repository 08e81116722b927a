#include "checking/compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

// Random texts of every length up to 259, so across the 64-row words of the
// fast form, on few letters so that matches are frequent; half are edited copies.
TEST(EditDistance, AgreesWithTheTableFilledCellByCell)
{
    auto reference = [](const std::string& a, const std::string& b) {
        std::vector<int> row(b.size() + 1);
        for (size_t j = 0; j <= b.size(); ++j)
            row[j] = static_cast<int>(j);
        for (size_t i = 1; i <= a.size(); ++i) {
            int diagonal = row[0];
            row[0] = static_cast<int>(i);
            for (size_t j = 1; j <= b.size(); ++j) {
                int above = row[j];
                row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
                diagonal = above;
            }
        }
        return row[b.size()];
    };
    std::mt19937 random(4);
    auto text = [&](int letters) {
        std::string t(random() % 260, ' ');
        for (char& c : t)
            c = "ABC\xE9"[random() % letters];
        return t;
    };
    for (int round = 0; round < 2000; ++round) {
        std::string a = text(1 + round % 4), b = round % 2 ? text(1 + round % 4) : a;
        for (int edit = round % 7; edit > 0 && !b.empty() && b.size() < 259; --edit)
            b.insert(random() % b.size(), "Z").erase(random() % b.size(), edit % 3);
        ASSERT_EQ(reference(a, b), EditDistance(a.c_str(), b.c_str())) << a << " / " << b;
    }
}
