// Which of the atelier's fields a problem of the check concerns, found from
// the subject the check gives it ("titre", "question 4, reponse", "codes,
// code 2"), so that activating a problem selects its field; and that
// field's name as the atelier shows it.
#pragma once

#include "authoring/source/problem.h"
#include "authoring/source/quiz_field_table.h"

#include <string>

struct FieldPlace {
    QuizField field = QuizField::None;
    int question = -1; // from 0, for the fields of a question
    int code = -1;     // from 0, for one code
    bool operator==(const FieldPlace& other) const
    {
        return field == other.field && question == other.question && code == other.code;
    }
};

FieldPlace ProblemField(const Problem& problem);

// "Titre", "Question 4, réponse", "Codes, code 2", "" for the whole quiz;
// a question's medium is named after the layout.
std::string FieldName(const FieldPlace& place, int layoutKind);
