#include "authoring/source/name_suggestion.h"

#include "quiz/text_encoding.h"

#include <algorithm>

std::string FoldedName(const std::string& name)
{
    std::string folded;
    size_t position = 0;
    char32_t c;
    while (position < name.size()) {
        if (!NextCodePoint(name, position, c)) {
            folded += name[position++];
            continue;
        }
        c = BaseLetter(c);
        AppendUtf8(folded, c == ' ' || c == '-' ? U'_' : c);
    }
    return folded;
}

size_t EditDistance(const std::string& a, const std::string& b)
{
    // Three rows of the optimal string alignment table: a swap looks two
    // rows back.
    std::vector<size_t> before(b.size() + 1), previous(b.size() + 1), row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            row[j] = std::min({previous[j] + 1, row[j - 1] + 1,
                               previous[j - 1] + (a[i - 1] != b[j - 1] ? 1 : 0)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        std::swap(before, previous);
        std::swap(previous, row);
    }
    return previous[b.size()];
}

std::string NearestName(const std::string& name, const std::vector<std::string>& candidates)
{
    const std::string folded = FoldedName(name);
    std::string best;
    size_t bestDistance = folded.size() / 3 + 1;
    for (const std::string& candidate : candidates) {
        const size_t distance = EditDistance(folded, FoldedName(candidate));
        if (distance < bestDistance)
            best = candidate, bestDistance = distance;
    }
    return best;
}
