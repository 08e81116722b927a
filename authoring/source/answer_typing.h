// The typing traps of an expected answer (reponse, seconde_reponse): what a
// maker brings along from a word processor or a web page, and a pupil does
// not type, so that the answer could never be found as written.
//
// FixAnswerTyping changes what never belongs in an answer:
//   - typographic apostrophes (’ ‘ ‛ ʼ ʹ ′ ´ ＇) become ', the keyboard's;
//   - no-break, narrow, thin and the other special spaces become spaces;
//   - invisible characters (zero-width spaces, direction marks, soft
//     hyphens) go;
//   - spaces around the answer go: the player trims what a pupil types, never
//     the answer it expects.
// It then lists what is left that a pupil can hardly type on a French AZERTY
// keyboard (œ, « », –, …, É, ñ, ß...). Only characters that Windows-1252
// holds are listed: the others cannot be in a quiz at all, and the source
// check reports them as errors. Texts are UTF-8.
#pragma once

#include <string>
#include <vector>

struct AnswerTyping {
    std::string fixed;
    int apostrophes = 0;              // replaced by '
    int spaces = 0;                   // special spaces replaced by spaces
    int invisibles = 0;               // removed
    int trimmed = 0;                  // spaces removed around the answer
    std::vector<char32_t> hardToType; // in fixed, in order of appearance, once each
    bool Changed() const { return apostrophes + spaces + invisibles + trimmed > 0; }
};

AnswerTyping FixAnswerTyping(const std::string& answer);

// What pupils type for a character hard to type (UTF-8; "" when they leave
// it out), or nullptr when there is nothing usual.
const char* TypedInstead(char32_t hard);

// The notice of a changed answer, in French:
//   « l’Italie » devient « l'Italie » (apostrophe typographique remplacée
//   par ', que tapent les élèves)
std::string DescribeTypingFix(const std::string& answer, const AnswerTyping& typing);

// The warning about one character hard to type in an answer (as fixed), in
// French: what pupils type instead, the verdict the player's own grading
// gives that, and how the maker may accept it.
std::string DescribeHardCharacter(const std::string& fixedAnswer, char32_t hard);
