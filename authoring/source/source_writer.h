// Writes a quiz source file: the values of a QuizSource under comments that
// explain every key to a maker who edits the file by hand. `new` and
// `extract` both write this form; reading it back gives the same values.
#pragma once

#include "authoring/source/quiz_source.h"

#include <string>

// fileName is the name the file will have, for the commands in its comments.
std::string WriteQuizSource(const QuizSource& source, const std::string& fileName);

// A TOML basic string: quotes, backslashes and control characters escaped.
std::string TomlString(const std::string& utf8);
