// The quiz that the atelier edits: every value the teacher typed (a
// QuizSource whose places are unused), where its file is, and the text that
// file holds, so that unsaved changes show.
//
// The atelier keeps the values that the layout, the reveal mode or the
// number of answers leaves unused (a film's name while the quiz is a picture
// quiz), so that changing them back loses nothing, in the file too: the
// source it writes, in the form `quizzpack new` writes (source_writer.h),
// holds them beside those that apply, marked as kept, so that both tools work
// on the same files. Paths are UTF-8; a medium's path is relative
// to the document's folder, or absolute until saving copies it there.
#pragma once

#include "authoring/import/quiz_import.h"
#include "authoring/source/problem.h"
#include "authoring/source/quiz_source.h"

#include <string>
#include <vector>

struct QuizDocument {
    QuizSource source;
    bool twoAnswers = false;  // a second answer on every question
    std::string path;         // the source file; empty until first saved
    std::string folder;       // where relative media paths start
    std::string nameHint;     // the file name an unsaved quiz is offered under
    std::string savedText;    // what the file holds, as last read or written
    std::string cleanText;    // the document's text then, or as a new quiz was made
    bool handWritten = false; // the file is not in the atelier's form (its comments would go)
};

// The name of a quiz never saved, in the title bar.
extern const char* const UNTITLED_NAME;

// A new quiz of a layout, with one empty question, whose media start from
// folder.
void NewDocument(int layoutKind, const std::string& folder, QuizDocument& document);

// The document of a source file's text. False when the text is not a quiz
// source at all (not UTF-8, or a TOML syntax error): problems then say why
// and document is unchanged. Otherwise problems holds what reading found
// (an unknown key, a value of the wrong type): values the atelier cannot
// show, which stay in the file until it is saved.
bool OpenDocument(const std::string& path, const std::string& text, QuizDocument& document,
                  std::vector<Problem>& problems);

// The document of an imported quiz, not saved yet: its media start from the
// imported file's folder, and it is offered under that file's name.
void ImportedDocument(const ImportedQuiz& quiz, const std::string& importedFile,
                      QuizDocument& document);

// The values as saving writes them: a text left empty is absent where the
// quiz may go without it, and present but empty where the quiz needs it, so
// that the check names it; second answers kept with one answer per question
// make the source say reponses_par_question = 1.
QuizSource AppliedSource(const QuizDocument& document);

// A box's other spellings as the atelier's field shows them, one a line,
// and the field's text back into them (blank lines are none).
std::string AlternativesText(const std::vector<SourceText>& alternatives);
void SetAlternatives(std::vector<SourceText>& alternatives, const std::string& typed);

// The source file's text as saving writes it.
std::string DocumentText(const QuizDocument& document);

// Whether the document holds what its file does not: a new quiz does once
// the teacher has changed it, an imported one from the start.
bool IsModified(const QuizDocument& document);

// The file name, or UNTITLED_NAME.
std::string DocumentName(const QuizDocument& document);

// A source path in the document's folder, from which the media reader finds
// the media (media_lookup.h) as it would beside the saved file.
std::string MediaBase(const QuizDocument& document);

// A path typed or chosen with the backslashes of Windows, as the source
// writes it: "/" between its parts.
std::string AsSourcePath(std::string path);

// The file that a medium's value names, from folder ("/" between parts; the
// value may have "\").
std::string MediumFile(const std::string& folder, const std::string& value);

// The value that names a file from folder: its path from there when it lies
// in it ("medias/chat.jpg"), else the whole path; "/" between parts.
std::string MediumValue(const std::string& folder, const std::string& file);

// Whether a value is a path from the document's folder.
bool IsRelativeValue(const std::string& value);

// Sets a value as the teacher typed it.
void SetValue(SourceText& text, const std::string& value);
