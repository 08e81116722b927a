// The atelier's question list: questions added, deleted and moved, and the
// questions that files dropped from the Explorer make, one per file.
#pragma once

#include "atelier/document/quiz_document.h"

#include <string>
#include <vector>

// Adds an empty question after index (at the end for -1); returns its index.
int AddQuestion(QuizDocument& document, int after);

void DeleteQuestion(QuizDocument& document, int index);

// Moves a question one place up (-1) or down (+1); false at either end.
bool MoveQuestion(QuizDocument& document, int index, int offset);

// What a file is, by its extension: the medium of a question, or what the
// atelier opens (a source, a quiz program or web page, which extraction
// reads alike, a table or GIFT file to import).
enum class FileKind { Picture, Sound, Film, Source, Program, Table, Other };
FileKind KindOfFile(const std::string& path);

// The kind of file a layout's questions take (Other for the text layout).
FileKind LayoutFileKind(int layoutKind);

// The answer a file's name suggests, as teachers name their files after what
// they show: "Tour Eiffel" for "Tour_Eiffel.jpg"; "" for a camera's name
// such as "IMG_2034.jpg".
std::string AnswerFromFileName(const std::string& path);

// One question per file of the layout's kind, after index (at the end for
// -1), with its medium and the answer its name suggests; the other files
// are listed in refused. A quiz whose only question is still blank loses it
// to the files' questions. Returns the index of the first question added, or
// -1 when there is none.
int AddQuestionsForFiles(QuizDocument& document, int after, const std::vector<std::string>& files,
                         std::vector<std::string>& refused);

// What to do with the files among these of a sound or film format that the
// player does not play (WAV, MP4, ...): which they are, what it plays, and
// how to convert them; "" when there is none.
std::string UnplayedMediaAdvice(const std::vector<std::string>& files);

// The question list's columns: its answer, or both ("pomme / verte"), and
// what stands for it in the panel: its medium's file name, or its text in
// the text layout.
std::string AnswersOf(const QuizDocument& document, int index);
std::string ShownOf(const QuizDocument& document, int index);
