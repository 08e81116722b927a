// The web page's door into the quiz and checking cores, compiled by
// Emscripten into the page's JavaScript. The page hands it the payloads'
// bytes as the program's resources hold them and the pupil's typed text as
// UTF-8; the core keeps every box's text as the player's box holds it
// (Windows-1252, a character outside it becoming "?") and grades with
// GradeQuestion, so no rule of a verdict is written in JavaScript. Texts come
// back as UTF-8, zero-terminated, valid until the next call.
//
// Memory: the page asks for a block (quizz_block), fills it and hands it
// over; the core frees the payload blocks once loaded.
#include "web/page_core.h"

#include "checking/question_grading.h"
#include "checking/verdict.h"
#include "quiz/answers_lines.h"
#include "quiz/media_format.h"
#include "quiz/message_box.h"
#include "quiz/pupil_results.h"
#include "quiz/quiz_loading.h"
#include "quiz/rules_payload.h"
#include "quiz/text_encoding.h"
#include "quiz/web_site.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#define EXPORTED extern "C" __attribute__((used, visibility("default")))

namespace {

QuizRecord* g_pageQuiz = nullptr;
QuizRules g_rules;
QuizLoaded g_loaded = QuizLoaded::Demo;
std::vector<std::string> g_messages; // UTF-8, in the order told
char g_boxes[MAX_QUESTIONS * MAX_BOXES_PER_QUESTION][TEXT_SIZE];
std::string g_out;                    // the last text handed out
std::string g_file;                   // the last answers or results file made
std::vector<unsigned char> g_workKey; // empty when the quiz asks for no work

const char* Out(const std::string& utf8)
{
    g_out = utf8;
    return g_out.c_str();
}

const char* Utf8(const char* windows1252)
{
    return Out(Windows1252ToUtf8(windows1252));
}

int BoxCount()
{
    return g_pageQuiz ? BoxesPerQuestion(g_pageQuiz->answersPerQuestion) * g_pageQuiz->questionCount
                      : 0;
}

// A COLORREF (0x00BBGGRR) as CSS writes it, 0xRRGGBB.
int Rgb(uint32_t bgr)
{
    return static_cast<int>(((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF));
}

PayloadBytes Payload(const unsigned char* data, int size)
{
    if (size < 0)
        return {};
    return {true, data, static_cast<uint32_t>(size)};
}

// A UTF-8 text the page wrote into a block of its own, freed here.
std::string Taken(char* utf8)
{
    std::string text(utf8 ? utf8 : "");
    free(utf8);
    return text;
}

void Collect(const char* text, void*)
{
    g_messages.push_back(Windows1252ToUtf8(text));
}

} // namespace

// The page's message box: what the cores tell (the codec's memory running
// out) joins the loader's messages, which the page shows.
void ShowMessageBox(const char* text, const char* /*caption*/)
{
    Collect(text, nullptr);
}

// A block of size bytes for the page to fill.
EXPORTED unsigned char* quizz_block(int size)
{
    return static_cast<unsigned char*>(malloc(size > 0 ? size : 1));
}

// Loads the quiz from its payloads (a size of -1: the resource is missing)
// and frees their blocks; every box starts empty. The quiz asks for work
// only when its work key has exactly WORK_KEY_SIZE bytes. Returns 0 for the
// demo quiz, 1 for a quiz payload that does not decode, 2 for a quiz.
EXPORTED int quizz_load(unsigned char* quiz, int quizSize, unsigned char* codes, int codesSize,
                        unsigned char* site, int siteSize, unsigned char* rules, int rulesSize,
                        unsigned char* workKey, int workKeySize)
{
    delete g_pageQuiz;
    g_pageQuiz = new QuizRecord();
    g_messages.clear();
    g_loaded = LoadQuizPayloads(Payload(quiz, quizSize), Payload(codes, codesSize),
                                Payload(site, siteSize), *g_pageQuiz, Collect, nullptr);
    g_rules = QuizRules();
    if (rulesSize >= 0)
        ParseRulesPayload(rules, static_cast<uint32_t>(rulesSize), g_rules);
    free(quiz);
    free(codes);
    free(site);
    free(rules);
    // Made anew rather than assigned: vector's assign is long code in the
    // page's JavaScript.
    g_workKey = workKeySize == static_cast<int>(WORK_KEY_SIZE)
                    ? std::vector<unsigned char>(workKey, workKey + WORK_KEY_SIZE)
                    : std::vector<unsigned char>();
    free(workKey);
    memset(g_boxes, 0, sizeof g_boxes);
    return static_cast<int>(g_loaded);
}

// The loader's messages, one by one; null past the last.
EXPORTED const char* quizz_message(int index)
{
    if (index < 0 || index >= static_cast<int>(g_messages.size()))
        return nullptr;
    return Out(g_messages[index]);
}

// One export for every number the page reads (PageNumber): each export
// costs the page its own glue.
EXPORTED int quizz_number(int which)
{
    const QuizRecord& quiz = *g_pageQuiz;
    switch (which) {
    case NUMBER_LAYOUT:
        return quiz.layoutKind;
    case NUMBER_QUESTIONS:
        return quiz.questionCount;
    case NUMBER_BOXES_PER_QUESTION:
        return BoxesPerQuestion(quiz.answersPerQuestion);
    case NUMBER_REVEAL_MODE:
        return quiz.revealMode;
    case NUMBER_COLOUR:
        // None for the demo quiz or a quiz that does not decode: the page's own.
        return g_loaded == QuizLoaded::Loaded ? Rgb(quiz.backgroundColour) : -1;
    case NUMBER_VERDICTS:
        return VERDICT_COUNT;
    case NUMBER_ANSWERS_FILE_SIZE:
        return static_cast<int>(g_file.size());
    case NUMBER_WORK_ASKED:
        return g_workKey.empty() ? 0 : 1;
    default:
        return 0;
    }
}

enum PageText {
    TEXT_TITLE,
    TEXT_AUTHOR,
    TEXT_EXPLANATIONS,
    TEXT_FIRST_CAPTION,
    TEXT_SECOND_CAPTION,
    TEXT_SITE,      // the address the header's link opens: the quiz's own, or the maker's
    TEXT_SITE_HOST, // what the header shows of it
    TEXT_QUESTION,  // of question `question`
    TEXT_REVEAL     // of question `question`
};

namespace {

// The header's link, as the player's: a quiz without a site of its own
// leads to the maker's.
const char* LinkAddress(const QuizRecord& quiz)
{
    return quiz.webSite[0] ? quiz.webSite : QUIZZ_MAKER_WEB_SITE;
}

} // namespace

// One of the quiz's texts; question counts from 0.
EXPORTED const char* quizz_text(int which, int question)
{
    const QuizRecord& quiz = *g_pageQuiz;
    const QuestionRecord* record =
        question >= 0 && question < quiz.questionCount ? QuestionAt(quiz, question) : nullptr;
    switch (which) {
    case TEXT_TITLE:
        return Utf8(quiz.title);
    case TEXT_AUTHOR:
        return Utf8(quiz.author);
    case TEXT_EXPLANATIONS:
        return Utf8(quiz.explanations);
    case TEXT_FIRST_CAPTION:
        return Utf8(quiz.firstAnswerCaption);
    case TEXT_SECOND_CAPTION:
        return Utf8(quiz.secondAnswerCaption);
    case TEXT_SITE:
        return Utf8(LinkAddress(quiz));
    case TEXT_SITE_HOST: {
        char host[TEXT_SIZE];
        WebSiteHost(LinkAddress(quiz), host);
        return Utf8(host);
    }
    case TEXT_QUESTION:
        return Utf8(record ? record->questionText : "");
    case TEXT_REVEAL:
        return Utf8(record ? record->revealText : "");
    default:
        return Utf8("");
    }
}

// Box n (from 0, the boxes of question 1 first) takes the UTF-8 text the
// page wrote into a block of its own (freed here), as the player's box
// would hold it.
EXPORTED void quizz_set_box(int box, char* utf8)
{
    const std::string text = Taken(utf8);
    if (box < 0 || box >= BoxCount())
        return;
    const std::string bytes = Utf8ToWindows1252(text, '?');
    CopyText(g_boxes[box], bytes.c_str());
}

// Box n's text as the core holds it, in UTF-8 (a character outside
// Windows-1252 reads "?").
EXPORTED const char* quizz_box(int box)
{
    return Utf8(box >= 0 && box < BoxCount() ? g_boxes[box] : "");
}

// Grades question (from 0) with its boxes' texts: bits 0-3 the first box's
// verdict (its place among VERDICTS, 15 for none), bits 4-7 the second's,
// bit 8 solved, bit 9 its reveal shows.
EXPORTED int quizz_grade(int question)
{
    const QuizRecord& quiz = *g_pageQuiz;
    if (question < 0 || question >= quiz.questionCount)
        return 0xFF;
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    const char* const typed[MAX_BOXES_PER_QUESTION] = {
        g_boxes[question * boxes], boxes > 1 ? g_boxes[question * boxes + 1] : nullptr};
    const QuestionGrade grade = GradeQuestion(quiz, *QuestionAt(quiz, question), typed, &g_rules);
    int result = 0;
    for (int box = 0; box < MAX_BOXES_PER_QUESTION; ++box) {
        int index = 15;
        for (int v = 0; v < VERDICT_COUNT; ++v) {
            if (grade.verdicts[box] && strcmp(grade.verdicts[box], VERDICTS[v]) == 0)
                index = v;
        }
        result |= index << (4 * box);
    }
    return result | (grade.solved ? 1 << 8 : 0) | (grade.reveals ? 1 << 9 : 0);
}

EXPORTED const char* quizz_verdict_text(int index)
{
    return Utf8(index >= 0 && index < VERDICT_COUNT ? VERDICTS[index] : "");
}

// The label's background for a verdict, 0xRRGGBB; -1 for none (the page's
// own colours).
EXPORTED int quizz_verdict_colour(int index)
{
    const uint32_t bgr = VerdictColour(index >= 0 && index < VERDICT_COUNT ? VERDICTS[index] : "");
    return bgr == NO_VERDICT_COLOUR ? -1 : Rgb(bgr);
}

// The code earned for that many solved questions.
EXPORTED const char* quizz_code(int solved)
{
    return Utf8(EarnedCode(*g_pageQuiz, solved));
}

// The answers file of the boxes (the player's format); its size by
// NUMBER_ANSWERS_FILE_SIZE.
EXPORTED const char* quizz_answers_file()
{
    g_file.clear();
    for (int box = 0; box < BoxCount(); ++box) {
        g_file += AnswerLineText(g_boxes[box]);
        g_file += "\r\n";
    }
    return g_file.data();
}

// Fills the boxes from an answers file's bytes (a block of the page's, freed
// here), line by line as the player reads it: boxes past its last line
// start empty, lines past the last box are left.
EXPORTED void quizz_read_answers_file(char* bytes, int size)
{
    const char* line = bytes;
    const char* end = bytes + (size > 0 ? size : 0);
    for (int box = 0; box < BoxCount(); ++box) {
        const char* feed =
            line < end ? static_cast<const char*>(memchr(line, '\n', end - line)) : nullptr;
        const char* lineEnd = feed ? feed : end;
        BoxTextOfLine(line, static_cast<size_t>(lineEnd - line), g_boxes[box]);
        line = feed ? feed + 1 : end;
    }
    free(bytes);
}

// The media type of a medium, told by its first bytes (a block of the
// page's, freed here), for the browser to be told what it plays; "" when
// the bytes are of no known format, and the browser guesses.
EXPORTED const char* quizz_media_type(unsigned char* bytes, int size)
{
    const MediaFormat format = DetectMediaFormat(bytes, size > 0 ? static_cast<size_t>(size) : 0);
    free(bytes);
    return Out(format == MediaFormat::Unknown ? "" : MediaFormatRow(format).mime);
}

// The results a pupil hands in, of every box as the core holds it, checked
// with the quiz's key, with the name and the date (local time, "2026-12-08
// 10:32") the page wrote in blocks of its own (freed here): the results
// file's UTF-8 bytes, which hold no zero, or, when block is 1, the block of
// text to paste into a message; "" when the quiz asks for no work.
EXPORTED const char* quizz_results(char* name, char* date, int block)
{
    const std::string pupil = Taken(name);
    const std::string when = Taken(date);
    g_file.clear();
    if (!g_workKey.empty()) {
        PupilResults results{QuizIdentity(g_workKey), pupil, when, {}};
        for (int box = 0; box < BoxCount(); ++box)
            results.answers.push_back(g_boxes[box]);
        g_file = WriteResults(results, g_workKey);
        if (block)
            g_file = ResultsBlock(g_file);
    }
    return g_file.c_str();
}

// The results file's name for that name (a block of the page's, freed
// here), UTF-8.
EXPORTED const char* quizz_results_file_name(char* name)
{
    return Out(ResultsFileName(g_pageQuiz->title, Taken(name)));
}
