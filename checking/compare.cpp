#include "checking/compare.h"

#include <cstdint>
#include <cstring>

void ToUpperAscii(char* s)
{
    for (; *s; ++s) {
        if (*s >= 'a' && *s <= 'z')
            *s = static_cast<char>(*s - ('a' - 'A'));
    }
}

void TrimSpaces(char* s)
{
    size_t length = strlen(s);
    while (length > 0 && s[length - 1] == ' ')
        --length;
    s[length] = '\0';
    size_t leading = 0;
    while (s[leading] == ' ')
        ++leading;
    memmove(s, s + leading, length - leading + 1);
}

void SortLetters(char* s)
{
    // Counting sort: the same order as comparing neighbours as signed bytes,
    // without the quadratic cost on 259-byte answers.
    int counts[256] = {};
    size_t length = 0;
    for (; s[length]; ++length)
        ++counts[static_cast<unsigned char>(s[length])];
    char* out = s;
    for (int value = -128; value < 128; ++value) {
        for (int n = counts[static_cast<unsigned char>(value)]; n > 0; --n)
            *out++ = static_cast<char>(value);
    }
}

int EditDistance(const char* a, const char* b)
{
    int m = static_cast<int>(strnlen(a, MAX_TEXT_LENGTH));
    int n = static_cast<int>(strnlen(b, MAX_TEXT_LENGTH));
    if (m == 0)
        return n;
    if (n == 0)
        return m;

    // The table column by column in Myers' bit-vector form (blocks as in
    // Hyyro): each word holds, for 64 rows, whether going one row down adds or
    // takes away 1. A 259-row column is five words instead of 259 cells, which
    // keeps two 259-byte texts far under the time a box may take to grade.
    constexpr int WORD_BITS = 64;
    constexpr int MAX_BLOCKS = (MAX_TEXT_LENGTH + WORD_BITS - 1) / WORD_BITS;
    const int blocks = (m + WORD_BITS - 1) / WORD_BITS;
    const uint64_t lastRow = uint64_t{1} << ((m - 1) % WORD_BITS);

    // matches[c]: the rows i where a[i] is c. Only the bytes that occur are set up.
    uint64_t matches[256][MAX_BLOCKS];
    for (int j = 0; j < n; ++j)
        memset(matches[static_cast<unsigned char>(b[j])], 0, sizeof matches[0]);
    for (int i = 0; i < m; ++i)
        memset(matches[static_cast<unsigned char>(a[i])], 0, sizeof matches[0]);
    for (int i = 0; i < m; ++i)
        matches[static_cast<unsigned char>(a[i])][i / WORD_BITS] |= uint64_t{1} << (i % WORD_BITS);

    uint64_t plus[MAX_BLOCKS];  // vertical difference +1
    uint64_t minus[MAX_BLOCKS]; // vertical difference -1
    for (int k = 0; k < blocks; ++k) {
        plus[k] = ~uint64_t{0}; // first column: D[i][0] = i
        minus[k] = 0;
    }
    int distance = m; // D[m][0], followed along the bottom row
    for (int j = 0; j < n; ++j) {
        const uint64_t* match = matches[static_cast<unsigned char>(b[j])];
        int carry = 1; // horizontal difference entering the block from above; D[0][j] = j
        for (int k = 0; k < blocks; ++k) {
            uint64_t pv = plus[k];
            uint64_t mv = minus[k];
            uint64_t eq = match[k];
            uint64_t xv = eq | mv;
            if (carry < 0)
                eq |= 1;
            uint64_t xh = (((eq & pv) + pv) ^ pv) | eq;
            uint64_t ph = mv | ~(xh | pv);
            uint64_t mh = pv & xh;
            uint64_t bottom = k == blocks - 1 ? lastRow : uint64_t{1} << (WORD_BITS - 1);
            int out = (ph & bottom) ? 1 : (mh & bottom) ? -1 : 0;
            ph <<= 1;
            mh <<= 1;
            if (carry < 0)
                mh |= 1;
            else if (carry > 0)
                ph |= 1;
            plus[k] = mh | ~(xv | ph);
            minus[k] = ph & xv;
            carry = out;
        }
        distance += carry;
    }
    return distance;
}

int FindContained(char (&s1)[TEXT_SIZE], char (&s2)[TEXT_SIZE])
{
    int m = static_cast<int>(strnlen(s1, MAX_TEXT_LENGTH));
    int n = static_cast<int>(strnlen(s2, MAX_TEXT_LENGTH));
    bool exchanged = n < m;
    if (exchanged) {
        char temporary[TEXT_SIZE];
        memcpy(temporary, s1, TEXT_SIZE);
        memcpy(s1, s2, TEXT_SIZE);
        memcpy(s2, temporary, TEXT_SIZE);
        int length = m;
        m = n;
        n = length;
    }
    if (m == 0)
        return exchanged ? CONTAINED_SECOND_EMPTY : CONTAINED_FIRST_EMPTY;

    // Forward scan of s2 that never steps back: on a mismatch the match in s1
    // falls back to its longest border (Knuth-Morris-Pratt), so an occurrence
    // that starts inside a failed partial match is still found.
    const char* needle = s1;
    const char* haystack = s2;
    int border[TEXT_SIZE];
    border[0] = 0;
    for (int i = 1, k = 0; i < m; ++i) {
        while (k > 0 && needle[i] != needle[k])
            k = border[k - 1];
        if (needle[i] == needle[k])
            ++k;
        border[i] = k;
    }
    for (int j = 0, matched = 0; j < n; ++j) {
        while (matched > 0 && haystack[j] != needle[matched])
            matched = border[matched - 1];
        if (haystack[j] == needle[matched])
            ++matched;
        if (matched == m)
            return exchanged ? CONTAINED_SECOND_IN_FIRST : CONTAINED_FIRST_IN_SECOND;
    }
    return CONTAINED_NOT_FOUND;
}
