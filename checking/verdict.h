// The verdict on one typed answer: GradeAnswer compares it with the stored
// answer and returns one of the ten texts below (static, never freed; compare
// them by content, as a verdict label gives back a copy).
//
// The typed text is trimmed of spaces (byte 32) and both are folded to ASCII
// upper case; the stored answer is not trimmed. Only the first MAX_TEXT_LENGTH
// (259) bytes of either are read, neither is changed, and the verdict depends
// on the two strings alone. No state, no allocation.
//
// VerdictColour gives the background of the label that shows a verdict, the
// same in the player and in the authoring tools.
#pragma once

#include <cstdint>

// Windows-1252 whatever the compiler's execution character set: the é of
// "yade lidée" is written as its byte, 0xE9 (octal 351).
inline constexpr char VERDICT_BRAVO[] = "BRAVO";              // right answer
inline constexpr char VERDICT_EMPTY[] = "?";                  // nothing typed; a label never graded
inline constexpr char VERDICT_ANAGRAMME[] = "Anagramme";      // the same bytes in another order
inline constexpr char VERDICT_QUASIMENT[] = "Quasiment";      // one edit away
inline constexpr char VERDICT_PRESQUE[] = "Presque";          // two edits away
inline constexpr char VERDICT_TROP_COURT[] = "Trop court";    // > 70 % of an answer of 10 or more
inline constexpr char VERDICT_PAS_LOIN[] = "pas loin";        // > 50 % of such an answer
inline constexpr char VERDICT_TROP_LONG[] = "Trop long";      // the answer with something added
inline constexpr char VERDICT_YADE_LIDEE[] = "yade lid\351e"; // more than 80 % alike
inline constexpr char VERDICT_FAUX[] = "FAUX";                // wrong

// The ten, in the order above: a front that cannot hold the texts' pointers
// (the web page) names a verdict by its place here.
constexpr int VERDICT_COUNT = 10;
inline constexpr const char* VERDICTS[VERDICT_COUNT] = {
    VERDICT_BRAVO,      VERDICT_EMPTY,    VERDICT_ANAGRAMME, VERDICT_QUASIMENT,  VERDICT_PRESQUE,
    VERDICT_TROP_COURT, VERDICT_PAS_LOIN, VERDICT_TROP_LONG, VERDICT_YADE_LIDEE, VERDICT_FAUX};

// One of the ten VERDICT_ texts for typedText against storedAnswer.
const char* GradeAnswer(const char* storedAnswer, const char* typedText);

// The label's backgrounds (COLORREF, 0x00BBGGRR): green for the answer, red
// for a wrong one, orange for an anagram, amber for every near miss.
constexpr uint32_t RIGHT_COLOUR = 0x0000FF00;
constexpr uint32_t WRONG_COLOUR = 0x000000FF;
constexpr uint32_t ANAGRAM_COLOUR = 0x000064FF;
constexpr uint32_t NEAR_MISS_COLOUR = 0x0026CBFF;
// A label without a verdict (VERDICT_EMPTY, or nullptr) keeps the system's
// colours.
constexpr uint32_t NO_VERDICT_COLOUR = 0xFFFFFFFF;

// The background of the label showing verdict, compared by content: any text
// but the ones above is a near miss.
uint32_t VerdictColour(const char* verdict);
