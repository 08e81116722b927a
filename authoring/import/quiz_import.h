// A quiz source made from a file of questions that another tool wrote: a
// spreadsheet table, a workbook (workbook_reader.h) or saved as CSV or TSV,
// with a header row that names its columns (csv_table.h, column_names.h), or
// a Moodle bank, Moodle XML (moodle_xml.h) or GIFT (gift_reader.h), whose
// short-answer questions come over with their full-credit answers as other
// spellings. What the source has no key for (a column of remarks, Moodle's
// feedback) is kept as comments under its question; whatever is left out or
// changed on the way is told in a note, one French line each: nothing goes
// silently.
//
// The source keeps what the file says and no more: the title is a
// placeholder for the teacher to replace, there are no codes, and a slot the
// layout needs but the file does not fill is written empty, so that the
// source shows it and `check` names it.
#pragma once

#include "authoring/source/quiz_source.h"

#include <cstdint>
#include <string>
#include <vector>

struct ImportOptions {
    int layoutKind = -1; // a layout kind, or -1 to choose it from the columns
    // The media paths of the imported file start from its folder; those of
    // the written source from its own.
    std::string importedFile;
    std::string writtenFile;
    std::string sheet = {}; // a workbook's sheet by name; empty: the first
};

// A file the import makes beside the source: a picture that a Moodle bank
// carries inside it.
struct ImportedFile {
    std::string path; // from the written source's folder, with /
    std::string bytes;
};

struct ImportedQuiz {
    QuizSource source;
    std::vector<ImportedFile> files;
    std::string origin;       // "tableau séparé par des points-virgules, en Windows-1252"
    std::string layoutReason; // "d'après la colonne « Image »"
    std::vector<std::string> notes;
};

extern const char* const TITLE_PLACEHOLDER;

// The largest file imported, read whole: a table or a question bank of
// hundreds of questions weighs a few hundred KB, but a teacher's export of a
// whole spreadsheet may reach tens of MB. The import holds the file three
// times over (its bytes, its text, the text in UTF-8), which a 32-bit
// program affords at this size; rows and questions past a quiz's 90 are
// only counted.
constexpr uintmax_t MAX_IMPORT_BYTES = uintmax_t{64} << 20;

// What a file over MAX_IMPORT_BYTES is told, after its size.
std::string ImportTooLarge();

// A zip is a workbook (.xlsx, .ods); otherwise fileName's extension tells
// the format: .gift, .xml (Moodle XML), or .csv/.tsv/.tab; another (.txt)
// is Moodle XML when it starts with <quiz>, a table when its first row names
// known columns, else GIFT when it holds a "{". False with a French error, that says how to make
// the file importable, when it gives no question; the notes are kept then too.
bool ImportQuiz(const std::string& fileName, const std::string& bytes, const ImportOptions& options,
                ImportedQuiz& quiz, std::string& error);
