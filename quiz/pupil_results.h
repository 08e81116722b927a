// A pupil's work handed in, as the player and the web page write it and the
// teacher's tools read it back: the quiz it answers (its identity), the name
// the pupil typed, when, and every box's text as typed; never a medium, so
// that a 90-question quiz's results stay a few kilobytes. The quiz's key
// makes a check over all of it (HMAC-SHA-256), so that a result altered by
// hand is told from one a player wrote. The key travels in the quiz itself:
// the check stops a pupil editing a file, not one who takes the quiz apart.
//
// The file is UTF-8 text, one "key = value" line each, CR LF:
//   Quizz : résultats 1
//   quiz = <32 hex digits: the quiz's identity>
//   eleve = <the name>
//   date = <as the device tells it, "2026-12-08 10:32">
//   1 = <box 1's text> ... n = <box n's text>   (every box, empty or not)
//   controle = <64 hex digits>
// The check covers the bytes of every line before it, line ends included.
// Nothing else is read; a line out of this shape makes the file unreadable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t MAX_PUPIL_NAME = 80; // bytes of UTF-8
constexpr size_t MAX_RESULT_BOXES = 180;

struct PupilResults {
    std::string quiz;                 // the quiz's identity, 32 lower-case hex digits
    std::string name;                 // UTF-8, one line, at most MAX_PUPIL_NAME bytes
    std::string date;                 // UTF-8, one line
    std::vector<std::string> answers; // a box's text each, Windows-1252 bytes
};

// The key of a quiz whose pupils hand in their work, made from its title
// (Windows-1252, as packed): the same after the teacher mends an answer or
// adds a spelling, so that the work already handed in still reads as this
// quiz's. It travels as WORK_KEY_RESOURCE.
constexpr size_t WORK_KEY_SIZE = 16;
std::vector<unsigned char> WorkKey(const std::string& title);

// The quiz's identity, as a results file names it: the key hashed, so that
// the file never carries the key itself.
std::string QuizIdentity(const std::vector<unsigned char>& key);

// The file, checked with key.
std::string WriteResults(const PupilResults& results, const std::vector<unsigned char>& key);

enum class ResultsRead {
    Read,      // read, and its check is the key's
    Altered,   // read, but its check is not the key's: changed by hand, or another quiz's key
    Unreadable // not a results file, or damaged
};

// Reads a file, or a text holding a block of them (ResultsBlock) anywhere in
// it; results are filled only when it is read. Never reads past text.
ResultsRead ReadResults(const std::string& text, const std::vector<unsigned char>& key,
                        PupilResults& results);

// The results file's name, UTF-8: "<quiz title> - <name>.txt" (the title
// Windows-1252, as packed; the name UTF-8), with what Windows refuses in a
// name (\ / : * ? " < > |, control characters) made "-", spaces and dots
// trimmed from either end of each part, each part cut to 60 bytes between
// letters; "quiz" or "eleve" for a part left empty.
std::string ResultsFileName(const std::string& title, const std::string& name);

// The file as a short block of text that survives being pasted into an
// e-mail or a messaging app: its bytes LZW-coded, in base64 lines of 60
// between RESULTS_BLOCK_START and RESULTS_BLOCK_END. Read back whatever a
// mail program adds: quoting marks ("> "), spaces, blank lines, line breaks
// moved. Empty when the file cannot be coded.
constexpr const char* RESULTS_BLOCK_START = "--- Quizz : travail rendu ---";
constexpr const char* RESULTS_BLOCK_END = "--- fin ---";
std::string ResultsBlock(const std::string& file);
