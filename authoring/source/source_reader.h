// Reads a quiz source file: TOML with French keys (documented by the file
// that `quizzpack new` writes, see source_writer.h).
//
// This step checks the form alone: syntax (each mistake explained with its
// fix, toml_mistakes.h), backslashes (source_escapes.h: in a path they are
// folder separators), unknown keys (with the key that was probably meant),
// missing and wrongly typed values, the names of the layout and reveal modes,
// the colour. Whatever is readable is stored even
// when other values are wrong, so that the later checks can report their own
// problems in the same run. The rules between values are source_check.h's.
#pragma once

#include "authoring/source/problem.h"
#include "authoring/source/quiz_source.h"

#include <string>
#include <vector>

// Root keys.
constexpr const char* KEY_TITLE = "titre";
constexpr const char* KEY_AUTHOR = "auteur";
constexpr const char* KEY_EXPLANATIONS = "explications";
constexpr const char* KEY_LAYOUT = "disposition";
constexpr const char* KEY_REVEAL = "revelation";
constexpr const char* KEY_COLOUR = "couleur";
constexpr const char* KEY_FIRST_CAPTION = "legende_reponse";
constexpr const char* KEY_SECOND_CAPTION = "legende_seconde_reponse";
constexpr const char* KEY_CODES = "codes";
constexpr const char* KEY_SITE = "site";
constexpr const char* KEY_QUESTION = "question";
constexpr const char* KEY_ICON = "icone";
constexpr const char* KEY_ANSWER_COUNT = "reponses_par_question";
constexpr const char* KEY_ACCENTS_OPTIONAL = "accents_facultatifs";
constexpr const char* KEY_ARTICLES_OPTIONAL = "articles_facultatifs";
constexpr const char* KEY_HYPHENS_AS_SPACES = "tirets_comme_espaces";
constexpr const char* KEY_CAPITALS_REQUIRED = "majuscules_exigees";
constexpr const char* KEY_HAND_IN = "rendre_travail";
// Keys of a [[question]] block.
constexpr const char* KEY_ANSWER = "reponse";
constexpr const char* KEY_SECOND_ANSWER = "seconde_reponse";
constexpr const char* KEY_QUESTION_TEXT = "texte";
constexpr const char* KEY_REVEAL_TEXT = "texte_revele";
constexpr const char* KEY_PICTURE = "image";
constexpr const char* KEY_SOUND = "son";
constexpr const char* KEY_FILM = "video";
constexpr const char* KEY_REVEAL_PICTURE = "image_revelee";
constexpr const char* KEY_OTHER_ANSWERS = "autres_reponses";
constexpr const char* KEY_OTHER_SECOND_ANSWERS = "autres_secondes_reponses";

// Fills source from text (the whole file) and appends the problems found,
// in file order. Returns false when the text is not TOML at all (not UTF-8,
// or a syntax error): only then are the later checks pointless.
bool ReadQuizSource(const std::string& text, QuizSource& source, std::vector<Problem>& problems);

// "#RRGGBB" (either case) as a COLORREF; false when it is not that form.
bool ParseColour(const std::string& text, uint32_t& colour);
