// The columns of an imported table, known by the names a teacher gives them
// in a header row: any case, with or without accents, spaces, "_" or "-"
// ("Réponse 2", "reponse2" and "seconde_reponse" are one column).
#pragma once

#include <string>

enum class Column {
    Unknown,
    QuestionText,
    Answer,
    SecondAnswer,
    Alternatives, // other accepted answers, several in a cell
    SecondAlternatives,
    Picture,
    Sound,
    Film,
    RevealText,
    RevealPicture,
};

Column ColumnFromName(const std::string& utf8);

// The names a header row may use, for the message that asks for one.
extern const char* const EXPECTED_COLUMNS;
