#include "checking/verdict.h"

#include <cstring>

#include "checking/compare.h"

namespace {

// Below this length a piece of the answer tells too little to be encouraged.
constexpr int MIN_PIECE_ANSWER_LENGTH = 10;

bool AreAnagrams(const char* stored, const char* typed)
{
    char sortedStored[TEXT_SIZE];
    char sortedTyped[TEXT_SIZE];
    CopyText(sortedStored, stored);
    CopyText(sortedTyped, typed);
    SortLetters(sortedStored);
    SortLetters(sortedTyped);
    return strcmp(sortedStored, sortedTyped) == 0;
}

} // namespace

const char* GradeAnswer(const char* storedAnswer, const char* typedText)
{
    char typed[TEXT_SIZE];
    CopyText(typed, typedText);
    TrimSpaces(typed);
    ToUpperAscii(typed);
    char stored[TEXT_SIZE];
    CopyText(stored, storedAnswer);
    int storedLength = static_cast<int>(strlen(stored));
    ToUpperAscii(stored);
    int typedLength = static_cast<int>(strlen(typed));

    if (typedLength == 0)
        return VERDICT_EMPTY;
    int distance = EditDistance(stored, typed);
    if (distance == 0)
        return VERDICT_BRAVO;
    // Strings of different lengths are never anagrams: no need to sort them.
    if (storedLength == typedLength && AreAnagrams(stored, typed))
        return VERDICT_ANAGRAMME;
    if (distance == 1)
        return VERDICT_QUASIMENT;
    if (distance == 2)
        return VERDICT_PRESQUE;

    // The percentages in integer form, exact for lengths up to 259: more than
    // 70 % is 10 lT > 7 lE, more than 50 % is 2 lT > lE, more than 80 % alike
    // is 5 d < L. The limits themselves fall to the lower verdict.
    int contained = FindContained(stored, typed);
    if (contained == CONTAINED_SECOND_IN_FIRST) {
        if (storedLength < MIN_PIECE_ANSWER_LENGTH)
            return VERDICT_FAUX;
        if (10 * typedLength > 7 * storedLength)
            return VERDICT_TROP_COURT;
        if (2 * typedLength > storedLength)
            return VERDICT_PAS_LOIN;
        return VERDICT_FAUX;
    }
    if (contained == CONTAINED_FIRST_IN_SECOND)
        return VERDICT_TROP_LONG;
    int longer = storedLength > typedLength ? storedLength : typedLength;
    if (5 * distance < longer)
        return VERDICT_YADE_LIDEE;
    return VERDICT_FAUX;
}

uint32_t VerdictColour(const char* verdict)
{
    if (!verdict || strcmp(verdict, VERDICT_EMPTY) == 0)
        return NO_VERDICT_COLOUR;
    if (strcmp(verdict, VERDICT_BRAVO) == 0)
        return RIGHT_COLOUR;
    if (strcmp(verdict, VERDICT_FAUX) == 0)
        return WRONG_COLOUR;
    if (strcmp(verdict, VERDICT_ANAGRAMME) == 0)
        return ANAGRAM_COLOUR;
    return NEAR_MISS_COLOUR;
}
