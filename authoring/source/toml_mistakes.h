// The syntax mistakes a quiz maker makes in TOML, told in French with their
// fix: a text without quotes, quotes inside a text, a key written twice,
// a word processor's curly quotes, an accented key or one with spaces, a
// missing closing quote, [question] for [[question]]. toml++ says what it
// expected in English; these look at the line itself to say what was meant.
// What no rule recognises still names and shows the line, and says how a
// line is written.
#pragma once

#include "authoring/source/problem.h"

#include <string>

// The first character outside strings and comments that is not ASCII, which
// TOML never allows there, explained; false when there is none. (toml++
// 3.3 is not trusted with them: see authoring/CMakeLists.txt.)
bool FindStrayCharacter(const std::string& text, Problem& problem);

// toml++'s error, its description and place, as the maker's mistake.
Problem ExplainTomlError(const std::string& text, const std::string& description,
                         SourcePlace place);
