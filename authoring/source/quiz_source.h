// A quiz as its maker wrote it: the values of the source file, still UTF-8,
// each with the place where it stands, so that every later check can point
// at it. Paths are as written, relative to the source file's folder.
#pragma once

#include "authoring/source/problem.h"

#include <cstdint>
#include <string>
#include <vector>

struct SourceText {
    std::string value;
    SourcePlace place; // of the value; of the enclosing table when absent
    bool present = false;
    bool wrongType = false; // the key is there, its value is no text
    bool Absent() const { return !present && !wrongType; }
};

// A true or false value of the file: a rule of the accepted answers.
struct SourceFlag {
    bool value = false;
    SourcePlace place;    // of the value; of the file's top when absent
    bool present = false; // the file writes it, true or false
};

struct SourceQuestion {
    SourcePlace place; // the question's [[question]] header
    SourceText answer;
    SourceText secondAnswer;
    SourceText questionText;
    SourceText revealText;
    SourceText picture; // the medium of its layout: only one of these three
    SourceText sound;
    SourceText film;
    SourceText revealPicture;
    // Other spellings each box accepts (autres_reponses,
    // autres_secondes_reponses), in the file's order.
    std::vector<SourceText> otherAnswers;
    std::vector<SourceText> otherSecondAnswers;
    // Lines written as comments under the question: what an import found no
    // key for (a column of remarks, a feedback), kept for the teacher.
    std::vector<std::string> comments;
};

struct QuizSource {
    SourceText title;
    SourceText author;
    SourceText explanations;
    SourceText firstAnswerCaption;
    SourceText secondAnswerCaption;
    int layoutKind = -1; // -1: missing or not one of the names
    SourcePlace layoutPlace;
    int revealMode = 0;
    SourcePlace revealPlace;
    // 1 or 2 when the file says so (second answers kept while the quiz asks
    // for one); 0: two exactly when a question has a second answer.
    int answersPerQuestion = 0;
    SourcePlace answersPlace;
    uint32_t colour = 0x00FFFFFF; // COLORREF, 0x00BBGGRR
    SourcePlace colourPlace;
    std::vector<SourceText> codes;
    SourcePlace codesPlace;
    SourceText site; // the header link's address; absent: the player's own
    std::vector<SourceQuestion> questions;
    SourceText icon; // the program's icon: a picture's path
    // The rules of the accepted answers (quiz/answer_rules.h).
    SourceFlag accentsOptional;
    SourceFlag articlesOptional;
    SourceFlag hyphensAsSpaces;
    SourceFlag capitalsRequired;
    // Pupils hand in their work (quiz/pupil_results.h); off unless the file
    // says it, so that a quiz without it plays as it always did.
    SourceFlag handIn;
};

// The French names of the source file, indexed by layout kind and reveal
// mode.
extern const char* const LAYOUT_NAMES[4];
extern const char* const REVEAL_NAMES[3];

// The layout kind or reveal mode a name stands for, or -1.
int LayoutFromName(const std::string& name);
int RevealFromName(const std::string& name);

// The question's medium for a layout (none for the text layout).
const SourceText* QuestionMedium(const SourceQuestion& question, int layoutKind);
SourceText* QuestionMedium(SourceQuestion& question, int layoutKind);

// The key that holds a question's medium in a layout, or nullptr.
const char* MediumKey(int layoutKind);

// The answers the player asks for each question, 1 or 2.
int AnswerCount(const QuizSource& source);

// The reveal mode the player applies: none outside the picture layout,
// where a kept mode waits for the layout to come back.
int ShownRevealMode(const QuizSource& source);
