// Makes the quiz pages the browser tests play, with what the native core
// says of them:
//   OUT/differential/page-NNN.html and expected.json: the (answer, typed)
//     pairs of typed_pairs.h, 90 questions a page, and each box's verdict by
//     GradeQuestion;
//   OUT/behaviour/NAME.html and behaviour.json: one quiz per layout and two
//     whose texts hold markup, with a short game's verdicts, colours, score,
//     code and the answers file the player writes after it;
//   OUT/work/travail.html and travail.toml: a quiz whose pupils hand in
//     their work, built from its source as quizzpack builds it.
// usage: make_test_pages EMPTY_PAGE MEDIA_DIR OUT
// And what the teacher's tools read of a results file or a text holding its
// block, for a quiz of that title (UTF-8), as JSON:
//        make_test_pages read-results TITLE FILE
#include "authoring/media/media_lookup.h"
#include "authoring/media/stored_picture.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/quiz_build.h"
#include "authoring/packing/quiz_page.h"
#include "authoring/packing/quiz_resources.h"
#include "checking/question_grading.h"
#include "checking/verdict.h"
#include "quiz/answers_lines.h"
#include "quiz/base64.h"
#include "quiz/payload.h"
#include "quiz/pupil_results.h"
#include "quiz/rules_payload.h"
#include "quiz/text_encoding.h"
#include "tests/support/test_pictures.h"
#include "tests/web/typed_pairs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr unsigned SEED = 20261208;
constexpr int PLAIN_PAGES = 80;   // one box a question, no rules
constexpr int RULES_PAGES = 20;   // one box, rules of accepted answers
constexpr int TWO_BOX_PAGES = 10; // two boxes a question, every other one with rules

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "make_test_pages: %s\n", what.c_str());
    std::exit(1);
}

std::string Json(const std::string& utf8)
{
    std::string json = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\')
            json += {'\\', static_cast<char>(c)};
        else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else
            json += static_cast<char>(c);
    }
    return json + "\"";
}

std::string JsonOf1252(const char* bytes)
{
    return Json(Windows1252ToUtf8(bytes));
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    if (!file.flush())
        Fail("cannot write " + path.string());
}

std::vector<unsigned char> Coded(const std::vector<unsigned char>& plain)
{
    std::vector<unsigned char> coded;
    std::string reason;
    if (!CodePayload(plain, coded, reason))
        Fail("payload refused: " + reason);
    return coded;
}

// The resources a build writes for the quiz: its two payloads, its rules
// when it has some, then media.
std::vector<QuizResource> Resources(const QuizRecord& quiz, const QuizRules* rules)
{
    std::vector<unsigned char> plain;
    if (!BuildQuizPayload(quiz, plain))
        Fail("quiz payload not built");
    std::vector<QuizResource> resources = {{PAYLOAD_RESOURCE_TYPE, QUIZ_RESOURCE, Coded(plain)}};
    if (!BuildCodesPayload(quiz, plain))
        Fail("codes payload not built");
    resources.push_back({PAYLOAD_RESOURCE_TYPE, CODES_RESOURCE, Coded(plain)});
    if (rules && rules->Any()) {
        if (!BuildRulesPayload(*rules, plain))
            Fail("rules payload not built");
        resources.push_back({PAYLOAD_RESOURCE_TYPE, RULES_RESOURCE, plain});
    }
    return resources;
}

void WritePage(const std::string& emptyPage, const std::vector<QuizResource>& resources,
               const std::filesystem::path& path)
{
    std::string page, error;
    if (!MakeQuizPage(emptyPage, resources, page, error))
        Fail(error);
    WriteFile(path, page);
}

std::string RulesJson(const AnswerRules& rules)
{
    return std::string("{\"accentsOptional\":") + (rules.accentsOptional ? "true" : "false") +
           ",\"articlesOptional\":" + (rules.articlesOptional ? "true" : "false") +
           ",\"hyphensAsSpaces\":" + (rules.hyphensAsSpaces ? "true" : "false") +
           ",\"capitalsRequired\":" + (rules.capitalsRequired ? "true" : "false") + "}";
}

void MakeDifferentialPages(const std::string& emptyPage, const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    std::mt19937 random(SEED);
    std::string json = "{\"pages\":[";
    const int pages = PLAIN_PAGES + RULES_PAGES + TWO_BOX_PAGES;
    for (int p = 0; p < pages; ++p) {
        const bool twoBoxes = p >= PLAIN_PAGES + RULES_PAGES;
        const bool withRules = (p >= PLAIN_PAGES && !twoBoxes) || (twoBoxes && p % 2);
        const int boxes = twoBoxes ? 2 : 1;
        QuizRecord quiz;
        quiz.layoutKind = LAYOUT_TEXT;
        quiz.revealMode = REVEAL_NONE;
        CopyText(quiz.title, ("Comparaisons " + std::to_string(p + 1)).c_str());
        quiz.answersPerQuestion = boxes;
        quiz.questionCount = MAX_QUESTIONS;
        QuizRules rules;
        if (withRules)
            rules.rules = DrawRules(random);
        std::vector<std::vector<TypedPair>> pairs(MAX_QUESTIONS);
        for (int q = 0; q < MAX_QUESTIONS; ++q) {
            for (int b = 0; b < boxes; ++b)
                pairs[q].push_back(DrawPair(random, withRules));
            AppendQuestion(quiz, pairs[q][0].answer.bytes.c_str(),
                           twoBoxes ? pairs[q][1].answer.bytes.c_str() : "",
                           ("Question " + std::to_string(q + 1)).c_str());
            CopyText(quiz.codes[q], ("CODE" + std::to_string(q + 1)).c_str());
            if (withRules) {
                rules.alternatives.emplace_back();
                for (int b = 0; b < boxes; ++b)
                    rules.alternatives.back()[b] = pairs[q][b].alternatives;
            }
        }
        char name[32];
        std::snprintf(name, sizeof name, "page-%03d.html", p);
        WritePage(emptyPage, Resources(quiz, withRules ? &rules : nullptr), folder / name);

        json += std::string(p ? "," : "") + "\n{\"file\":" + Json(name) +
                ",\"boxesPerQuestion\":" + std::to_string(boxes) +
                ",\"rules\":" + (withRules ? RulesJson(rules.rules) : "null") + ",\"pairs\":[";
        for (int q = 0; q < MAX_QUESTIONS; ++q) {
            const char* typed[MAX_BOXES_PER_QUESTION] = {};
            for (int b = 0; b < boxes; ++b)
                typed[b] = pairs[q][b].typed.bytes.c_str();
            const QuestionGrade grade =
                GradeQuestion(quiz, *QuestionAt(quiz, q), typed, withRules ? &rules : nullptr);
            for (int b = 0; b < boxes; ++b) {
                const TypedPair& pair = pairs[q][b];
                json += std::string(q || b ? "," : "") +
                        "\n{\"box\":" + std::to_string(boxes * q + b + 1) +
                        ",\"answer\":" + Json(pair.answer.utf8) + ",\"alternatives\":[";
                for (size_t a = 0; a < pair.alternatives.size(); ++a)
                    json += (a ? "," : "") + JsonOf1252(pair.alternatives[a].c_str());
                json += "],\"typed\":" + Json(pair.typed.utf8) +
                        ",\"verdict\":" + JsonOf1252(grade.verdicts[b]) + "}";
            }
        }
        json += "]}";
    }
    WriteFile(folder / "expected.json", json + "\n]}\n");
}

// One behaviour quiz: its record, media and the texts of a short game.
struct BehaviourQuiz {
    std::string name;
    int layout;
    int reveal;
    int boxes;
    std::string title;
    std::vector<std::vector<std::string>> answers; // UTF-8, per question, per box
    std::vector<std::string> questionTexts;
    std::vector<std::string> revealTexts;
    std::vector<std::string> codes;
    std::vector<unsigned char> medium; // every question's picture, sound or film
};

std::string Bytes(const std::string& utf8)
{
    std::vector<char32_t> unencodable;
    std::string bytes = Utf8ToWindows1252(utf8, unencodable);
    if (!unencodable.empty())
        Fail("a behaviour text outside Windows-1252: " + utf8);
    return bytes;
}

// The game each behaviour test plays: question 1 right in every box,
// question 2 one letter short in its first box, question 3 wrong.
std::vector<std::string> GameTexts(const BehaviourQuiz& spec)
{
    std::vector<std::string> typed(spec.answers.size() * spec.boxes);
    for (int b = 0; b < spec.boxes; ++b)
        typed[b] = spec.answers[0][b];
    typed[spec.boxes] = spec.answers[1][0].substr(0, spec.answers[1][0].size() - 1);
    typed[2 * spec.boxes] = "zzz";
    return typed;
}

std::string BehaviourPage(const std::string& emptyPage, const BehaviourQuiz& spec,
                          const std::filesystem::path& folder)
{
    QuizRecord quiz;
    quiz.layoutKind = spec.layout;
    quiz.revealMode = spec.reveal;
    quiz.answersPerQuestion = spec.boxes;
    quiz.questionCount = static_cast<int>(spec.answers.size());
    quiz.backgroundColour = 0x00F0E8E0;
    CopyText(quiz.title, Bytes(spec.title).c_str());
    // A quiz made to hold markup holds it in every text.
    const bool markup = spec.name.rfind("injection", 0) == 0;
    CopyText(quiz.author, Bytes(markup ? spec.title : u8"L'équipe Quizz").c_str());
    CopyText(quiz.explanations,
             Bytes(markup ? spec.title : u8"Répondez sous chaque question.").c_str());
    if (spec.boxes == 2) {
        CopyText(quiz.firstAnswerCaption, "Pays");
        CopyText(quiz.secondAnswerCaption, "Capitale");
    }
    for (size_t q = 0; q < spec.answers.size(); ++q) {
        AppendQuestion(quiz, Bytes(spec.answers[q][0]).c_str(),
                       spec.boxes == 2 ? Bytes(spec.answers[q][1]).c_str() : "",
                       Bytes(spec.questionTexts[q]).c_str());
        CopyText(quiz.lastQuestion->revealText, Bytes(spec.revealTexts[q]).c_str());
        CopyText(quiz.codes[q], Bytes(spec.codes[q]).c_str());
    }
    std::vector<QuizResource> resources = Resources(quiz, nullptr);
    const std::vector<unsigned char> reveal =
        FitPicture(PlainPicture(160, 120, GREEN), 1, 0xFFFFFF);
    for (int q = 1; spec.layout != LAYOUT_TEXT && q <= quiz.questionCount; ++q)
        resources.push_back({MEDIA_RESOURCE_TYPE, MEDIA_RESOURCE_BASE + q, spec.medium});
    for (int q = 1; spec.reveal == REVEAL_PICTURE && q <= quiz.questionCount; ++q)
        resources.push_back({MEDIA_RESOURCE_TYPE, REVEAL_PICTURE_RESOURCE_BASE + q, reveal});
    WritePage(emptyPage, resources, folder / (spec.name + ".html"));

    // The game, graded natively, and the answers file the player writes
    // after it.
    const std::vector<std::string> typed = GameTexts(spec);
    std::string json = "{\"name\":" + Json(spec.name) + ",\"file\":" + Json(spec.name + ".html") +
                       ",\"boxesPerQuestion\":" + std::to_string(spec.boxes) +
                       ",\"reveal\":" + std::to_string(spec.reveal) +
                       ",\"title\":" + Json(spec.title) + ",\"questions\":[";
    std::string answersFile;
    int solved = 0;
    for (int q = 0; q < quiz.questionCount; ++q) {
        std::vector<std::string> bytes(spec.boxes);
        const char* boxTexts[MAX_BOXES_PER_QUESTION] = {};
        for (int b = 0; b < spec.boxes; ++b) {
            bytes[b] = Bytes(typed[q * spec.boxes + b]);
            boxTexts[b] = bytes[b].c_str();
            answersFile += std::string(AnswerLineText(boxTexts[b])) + "\r\n";
        }
        const QuestionGrade grade = GradeQuestion(quiz, *QuestionAt(quiz, q), boxTexts);
        solved += grade.solved;
        json += std::string(q ? "," : "") + "\n{\"text\":" + Json(spec.questionTexts[q]) +
                ",\"reveal\":" + Json(spec.revealTexts[q]) + ",\"code\":" + Json(spec.codes[q]) +
                ",\"answers\":[";
        for (int b = 0; b < spec.boxes; ++b)
            json += (b ? "," : "") + Json(spec.answers[q][b]);
        json += "],\"typed\":[";
        for (int b = 0; b < spec.boxes; ++b)
            json += (b ? "," : "") + Json(typed[q * spec.boxes + b]);
        json += "],\"verdicts\":[";
        for (int b = 0; b < spec.boxes; ++b)
            json += (b ? "," : "") + JsonOf1252(grade.verdicts[b]);
        json += "],\"revealed\":" + std::string(grade.reveals ? "true" : "false") + "}";
    }
    return json + "],\"solved\":" + std::to_string(solved) +
           ",\"code\":" + JsonOf1252(EarnedCode(quiz, solved)) + ",\"answersFile\":" +
           Json(EncodeBase64(reinterpret_cast<const unsigned char*>(answersFile.data()),
                             answersFile.size())) +
           "}";
}

std::vector<unsigned char> Medium(const std::filesystem::path& path)
{
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!ReadWholeFile(path.string(), bytes, reason))
        Fail(path.string() + ": " + reason);
    return bytes;
}

void MakeBehaviourPages(const std::string& emptyPage, const std::filesystem::path& media,
                        const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    const std::vector<std::vector<std::string>> capitals = {
        {"Paris"}, {"Berlin"}, {"Madrid"}, {"Rome"}, {u8"Athènes"}};
    const std::vector<std::string> codes = {"UN", "DEUX", "TROIS", "QUATRE", "CINQ"};
    const std::vector<std::string> capitalQuestions = {
        "Capitale de la France ?", "Capitale de l'Allemagne ?", "Capitale de l'Espagne ?",
        "Capitale de l'Italie ?", u8"Capitale de la Grèce ?"};
    const std::vector<std::string> noReveal(5);
    const std::vector<unsigned char> photo = FitPicture(Quarters(240, 180), 1, 0xFFFFFF);
    const std::string markup = "<script>alert(1)</script><img src=x onerror=alert(1)>";

    const std::vector<BehaviourQuiz> quizzes = {
        {"texte",
         LAYOUT_TEXT,
         REVEAL_NONE,
         1,
         "Les capitales",
         capitals,
         capitalQuestions,
         noReveal,
         codes,
         {}},
        {"deux-cases",
         LAYOUT_TEXT,
         REVEAL_NONE,
         2,
         "Pays et capitales",
         {{"France", "Paris"}, {"Allemagne", "Berlin"}, {"Espagne", "Madrid"}},
         {"Drapeau bleu, blanc, rouge", "Drapeau noir, rouge, or", "Drapeau rouge et jaune"},
         {"", "", ""},
         {"A", "B", "C"},
         {}},
        {"image",
         LAYOUT_PICTURE,
         REVEAL_PICTURE,
         1,
         "Les formes",
         {{u8"carré"}, {"cercle"}, {"triangle"}, {u8"étoile"}},
         {"", "", "", ""},
         {"", "", "", ""},
         {"POINT", "LIGNE", "ANGLE", u8"CÔTÉ"},
         photo},
        {"image-texte",
         LAYOUT_PICTURE,
         REVEAL_TEXT,
         1,
         "Les couleurs",
         {{"rouge"}, {"vert"}, {"bleu"}},
         {"", "", ""},
         {"Le rouge des coquelicots", u8"Le vert des prés", "Le bleu du ciel"},
         {"R", "V", "B"},
         photo},
        {"son",
         LAYOUT_AUDIO,
         REVEAL_NONE,
         1,
         "Les notes",
         {{"la"}, {"do"}, {"mi"}},
         {"Quelle note ?", "Quelle note ?", "Quelle note ?"},
         {"", "", ""},
         {"DO", u8"RÉ", "MI"},
         Medium(media / "note.mp3")},
        {"video",
         LAYOUT_VIDEO,
         REVEAL_NONE,
         1,
         "Films en couleur",
         {{"rouge"}, {"bleu"}, {"vert"}},
         {"", "", ""},
         {"", "", ""},
         {"ACTION", "MOTEUR", "COUPEZ"},
         Medium(media / "film.webm")},
        {"injection",
         LAYOUT_PICTURE,
         REVEAL_TEXT,
         1,
         markup,
         {{"un"}, {"deux"}, {"trois"}},
         {markup, markup, markup},
         {markup, markup, markup},
         {markup, markup, markup},
         photo},
        {"injection-texte",
         LAYOUT_TEXT,
         REVEAL_NONE,
         1,
         markup,
         {{"un"}, {"deux"}, {"trois"}},
         {markup, markup, markup},
         {"", "", ""},
         {markup, markup, markup},
         {}},
    };
    std::string json = "{\"verdictColours\":{";
    for (int v = 0; v < VERDICT_COUNT; ++v) {
        const uint32_t colour = VerdictColour(VERDICTS[v]);
        char css[32] = "";
        if (colour != NO_VERDICT_COLOUR)
            std::snprintf(css, sizeof css, "rgb(%u, %u, %u)", colour & 0xFF, (colour >> 8) & 0xFF,
                          (colour >> 16) & 0xFF);
        json += std::string(v ? "," : "") + JsonOf1252(VERDICTS[v]) + ":" + Json(css);
    }
    json += "},\"pages\":[";
    for (size_t i = 0; i < quizzes.size(); ++i)
        json += (i ? ",\n" : "\n") + BehaviourPage(emptyPage, quizzes[i], folder);
    WriteFile(folder / "behaviour.json", json + "\n]}\n");
}

// Two answers a question, so that the boxes' order shows in the results.
const char* const WORK_QUIZ = u8R"(titre = "Pays et capitales à rendre"
auteur = "L'équipe Quizz"
explications = "Donnez le pays, puis sa capitale."
disposition = "texte"
legende_reponse = "Pays"
legende_seconde_reponse = "Capitale"
rendre_travail = true
codes = ["UN", "DEUX", "TROIS"]

[[question]]
reponse = "France"
seconde_reponse = "Paris"
texte = "Drapeau bleu, blanc, rouge"

[[question]]
reponse = "Grèce"
seconde_reponse = "Athènes"
texte = "Drapeau bleu et blanc"

[[question]]
reponse = "Espagne"
seconde_reponse = "Madrid"
texte = "Drapeau rouge et jaune"
)";

void MakeWorkPage(const std::string& emptyPage, const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    const std::filesystem::path source = folder / "travail.toml";
    WriteFile(source, WORK_QUIZ);
    QuizSource quiz;
    std::vector<QuizResource> resources;
    std::vector<Problem> problems;
    if (!BuildQuizFromText(WORK_QUIZ, MediaBesideSource(source.string()), DecodeTestPicture, quiz,
                           resources, problems, nullptr, QuizTarget::Page))
        Fail("the work quiz does not build");
    if (!FindResource(resources, PAYLOAD_RESOURCE_TYPE, WORK_KEY_RESOURCE))
        Fail("the work quiz has no work key");
    WritePage(emptyPage, resources, folder / "travail.html");
}

// Prints what ReadResults reads of a file with the key of a quiz of that
// title: {"read":"Read","quiz":...,"name":...,"date":...,"answers":[...]}.
int PrintResults(const std::string& title, const std::string& path)
{
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!ReadWholeFile(path, bytes, reason))
        Fail(path + ": " + reason);
    const std::vector<unsigned char> key = WorkKey(Bytes(title));
    PupilResults results;
    const ResultsRead read = ReadResults(std::string(bytes.begin(), bytes.end()), key, results);
    const char* const READS[] = {"Read", "Altered", "Unreadable"};
    std::string json = std::string("{\"read\":") + Json(READS[static_cast<int>(read)]) +
                       ",\"identity\":" + Json(QuizIdentity(key)) +
                       ",\"quiz\":" + Json(results.quiz) + ",\"name\":" + Json(results.name) +
                       ",\"date\":" + Json(results.date) + ",\"answers\":[";
    for (size_t box = 0; box < results.answers.size(); ++box)
        json += (box ? "," : "") + JsonOf1252(results.answers[box].c_str());
    std::printf("%s]}\n", json.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "read-results")
        return PrintResults(argv[2], argv[3]);
    if (argc != 4)
        Fail("usage: make_test_pages EMPTY_PAGE MEDIA_DIR OUT\n"
             "       make_test_pages read-results TITLE FILE");
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!ReadWholeFile(argv[1], bytes, reason))
        Fail(std::string(argv[1]) + ": " + reason);
    const std::string emptyPage(bytes.begin(), bytes.end());
    const std::filesystem::path out = argv[3];
    MakeDifferentialPages(emptyPage, out / "differential");
    MakeBehaviourPages(emptyPage, argv[2], out / "behaviour");
    MakeWorkPage(emptyPage, out / "work");
    return 0;
}
