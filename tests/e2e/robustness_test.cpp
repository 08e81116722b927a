// A corpus of damaged quiz executables, each started under Wine: a robot
// answers the message boxes, checks that the window opens, closes it, and
// checks that the player exits cleanly instead of crashing.
#include "quiz/loader.h"
#include "quiz/payload.h"
#include "tests/e2e/player_process.h"
#include "ui/header_bar.h"
#include "ui/panel_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace {

using Bytes = std::vector<unsigned char>;

enum class Robot {
    LOOK,        // only opens and closes the window
    SOLVE_FIRST, // types question 1's answer and confirms it
    PLAY_EACH,   // presses every question's play button, then a stop button
};

struct Row {
    std::string name;
    std::vector<ResourceEntry> resources;
    std::vector<ShownMessage> expected;
    bool anyLoaderMessages; // for random damage: any of the loader's messages
    const char* score;      // the score label once the robot is done, or null
    Robot robot;
};

struct Outcome {
    std::vector<ShownMessage> shown;
    bool windowOpened = false;
    std::string score;
    DWORD exitCode = STILL_ACTIVE; // still so when the player hangs
};

const char* const LOADER_TEXTS[] = {
    "Erreur dans le fichier", "Reponses non trouvées", "Erreur dans le décryptage des reponses",
    "Codes non trouvés.",     "Codes non renseignés.", "Erreur dans le décryptage des codes",
};

ShownMessage Quizz(const char* text)
{
    return {"Quizz", text};
}

ShownMessage Information(const char* text)
{
    return {"Information", text};
}

bool IsLoaderMessage(const ShownMessage& message)
{
    return message.caption == "Quizz" && std::find(std::begin(LOADER_TEXTS), std::end(LOADER_TEXTS),
                                                   message.text) != std::end(LOADER_TEXTS);
}

std::unique_ptr<QuizRecord> MakeQuiz(int layout, int questions, int revealMode)
{
    auto quiz = std::make_unique<QuizRecord>();
    CopyText(quiz->title, "Abîmé");
    quiz->layoutKind = layout;
    quiz->questionCount = questions;
    quiz->answersPerQuestion = 1;
    quiz->revealMode = revealMode;
    quiz->backgroundColour = RGB(200, 220, 240);
    for (int i = 0; i < questions; ++i) {
        char answer[16];
        wsprintfA(answer, "reponse%d", i + 1);
        AppendQuestion(*quiz, answer, "", "Question ?");
        wsprintfA(quiz->codes[i], "CODE%d", i + 1);
    }
    return quiz;
}

Bytes QuizPayload(const QuizRecord& quiz)
{
    Bytes payload;
    BuildQuizPayload(quiz, payload);
    return payload;
}

// A payload that declares count questions and holds count blocks, more than
// a quiz can keep when count passes MAX_QUESTIONS.
Bytes PayloadDeclaring(int count)
{
    Bytes payload =
        QuizPayload(*MakeQuiz(LAYOUT_TEXT, std::min(count, MAX_QUESTIONS), REVEAL_NONE));
    payload[2] = static_cast<unsigned char>(count);
    const Bytes block = {'x', '|', 'q', '|'};
    for (int i = MAX_QUESTIONS; i < count; ++i) // before the reveal mode and colour bytes
        payload.insert(payload.end() - 4, block.begin(), block.end());
    return payload;
}

Bytes CodeLines(int count)
{
    Bytes codes;
    for (int i = 1; i <= count; ++i) {
        char line[16];
        const int length = wsprintfA(line, "C%d\r\n", i);
        codes.insert(codes.end(), line, line + length);
    }
    return codes;
}

ResourceEntry QuizEntry(const Bytes& coded)
{
    return {PAYLOAD_RESOURCE_TYPE, QUIZ_RESOURCE, coded};
}

ResourceEntry CodesEntry(const Bytes& coded)
{
    return {PAYLOAD_RESOURCE_TYPE, CODES_RESOURCE, coded};
}

ResourceEntry MediaEntry(int id, const Bytes& data)
{
    return {MEDIA_RESOURCE_TYPE, id, data};
}

Bytes Cut(Bytes bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

Bytes Flipped(Bytes bytes, size_t at, unsigned char bits)
{
    bytes[at] ^= bits;
    return bytes;
}

// Files that are not what their resource should hold.
const Bytes TEXT_BYTES = {'n', 'o', 't', ' ', 'm', 'e', 'd', 'i', 'a', '\r', '\n'};
const Bytes CUT_JPEG = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01};
const Bytes PNG_HEADER = {0x89, 'P',  'N',  'G',  '\r', '\n', 0x1A, '\n',
                          0x00, 0x00, 0x00, 0x0D, 'I',  'H',  'D',  'R'};

// The box the sound window shows for a file it cannot open: its caption and
// words are the media system's, so any text matches.
const ShownMessage MEDIA_SYSTEM_BOX = {"MCI Error", ""};

bool Matches(const std::vector<ShownMessage>& shown, const std::vector<ShownMessage>& expected)
{
    return shown.size() == expected.size() &&
           std::equal(shown.begin(), shown.end(), expected.begin(),
                      [](const ShownMessage& s, const ShownMessage& e) {
                          return s.caption == e.caption && (e.text.empty() || s.text == e.text);
                      });
}

// A quiz of three sounds or films, those not given missing; the robot plays
// each.
Row MediaQuizRow(const char* name, int layout, std::vector<ResourceEntry> media,
                 std::vector<ShownMessage> expected)
{
    media.push_back(QuizEntry(LzwCoded(QuizPayload(*MakeQuiz(layout, 3, REVEAL_NONE)))));
    media.push_back(CodesEntry(LzwCoded(CodeLines(3))));
    return {name, std::move(media), std::move(expected), false, " 0 / 3", Robot::PLAY_EACH};
}

std::vector<Row> Corpus()
{
    const Bytes quiz = LzwCoded(QuizPayload(*MakeQuiz(LAYOUT_TEXT, 3, REVEAL_TEXT)));
    const Bytes codes = LzwCoded(CodeLines(3));
    const size_t q = quiz.size();
    const size_t c = codes.size();
    const ShownMessage undecodableQuiz = Quizz("Erreur dans le décryptage des reponses");
    const ShownMessage undecodableCodes = Quizz("Erreur dans le décryptage des codes");
    const std::vector<ShownMessage> noQuiz = {Quizz("Erreur dans le fichier"),
                                              Quizz("Reponses non trouvées")};

    // Sounds and films that are missing are told when they are wanted (films
    // also as the panel is built); those that are not media are the media
    // system's business. First, as these players take turns.
    const std::vector<ResourceEntry> media = {MediaEntry(401, TEXT_BYTES), MediaEntry(403, {})};
    std::vector<Row> rows = {
        MediaQuizRow("sounds that are not sounds", LAYOUT_AUDIO, media,
                     {MEDIA_SYSTEM_BOX, Information("Impossible de localiser le fichier audio."),
                      MEDIA_SYSTEM_BOX}),
        MediaQuizRow("films that are not films", LAYOUT_VIDEO, media,
                     {Information("Impossible de localiser le fichier vidéo."),
                      Information("Impossible de localiser le fichier vidéo.")}),
        // Pictures would hang the media system: refused before it sees them.
        MediaQuizRow("sound that is a cut JPEG", LAYOUT_AUDIO, {MediaEntry(401, CUT_JPEG)},
                     {Information("Impossible de charger le fichier audio."),
                      Information("Impossible de localiser le fichier audio."),
                      Information("Impossible de localiser le fichier audio.")}),
        MediaQuizRow("film that is a PNG header", LAYOUT_VIDEO, {MediaEntry(401, PNG_HEADER)},
                     {Information("Impossible de charger le fichier vidéo."),
                      Information("Impossible de localiser le fichier vidéo."),
                      Information("Impossible de localiser le fichier vidéo."),
                      Information("Impossible de charger le fichier vidéo."),
                      Information("Impossible de localiser le fichier vidéo."),
                      Information("Impossible de localiser le fichier vidéo.")}),
    };
    rows.insert(rows.end(),
                {
                    {"quiz missing", {CodesEntry(codes)}, noQuiz, false, " 0 / 30", Robot::LOOK},
                    {"both missing", {}, noQuiz, false, " 0 / 30", Robot::LOOK},
                    {"quiz empty",
                     {QuizEntry({}), CodesEntry(codes)},
                     {Quizz("Reponses non trouvées")},
                     false,
                     " 0 / 30",
                     Robot::LOOK},
                    {"both empty",
                     {QuizEntry({}), CodesEntry({})},
                     {Quizz("Reponses non trouvées")},
                     false,
                     " 0 / 30",
                     Robot::LOOK},
                    {"codes missing",
                     {QuizEntry(quiz)},
                     {Quizz("Codes non trouvés.")},
                     false,
                     " 0 / 3",
                     Robot::LOOK},
                    {"codes empty",
                     {QuizEntry(quiz), CodesEntry({})},
                     {Quizz("Codes non renseignés.")},
                     false,
                     " 0 / 3",
                     Robot::LOOK},
                    {"quiz cut, codes missing",
                     {QuizEntry(Cut(quiz, q / 2))},
                     {undecodableQuiz},
                     false,
                     " 0 / 0",
                     Robot::LOOK},
                });
    for (size_t size : {size_t{1}, size_t{2}, size_t{3}, q / 2, q - 1})
        rows.push_back({"quiz cut to " + std::to_string(size),
                        {QuizEntry(Cut(quiz, size)), CodesEntry(codes)},
                        {undecodableQuiz},
                        false,
                        " 0 / 0",
                        Robot::LOOK});
    for (size_t size : {size_t{1}, c / 2, c - 1})
        rows.push_back({"codes cut to " + std::to_string(size),
                        {QuizEntry(quiz), CodesEntry(Cut(codes, size))},
                        {undecodableCodes},
                        false,
                        " 0 / 3",
                        Robot::LOOK});
    // A low bit flipped often leaves a stream that decodes, into a payload
    // that no tool wrote; a whole byte flipped mostly breaks the stream.
    for (unsigned char bits : {0x01, 0xFF}) {
        char mask[8];
        wsprintfA(mask, " ^%02X", bits);
        for (size_t at : {size_t{0}, size_t{1}, size_t{2}, q / 3, q / 2, q - 2, q - 1})
            rows.push_back({"quiz byte " + std::to_string(at) + mask,
                            {QuizEntry(Flipped(quiz, at, bits)), CodesEntry(codes)},
                            {},
                            true,
                            nullptr,
                            Robot::LOOK});
        for (size_t at : {size_t{0}, c / 2, c - 1})
            rows.push_back({"codes byte " + std::to_string(at) + mask,
                            {QuizEntry(quiz), CodesEntry(Flipped(codes, at, bits))},
                            {},
                            true,
                            nullptr,
                            Robot::LOOK});
    }

    const struct {
        int count;
        const char* score;
        std::vector<ShownMessage> expected;
    } counts[] = {{0, " 0 / 0", {Quizz("Codes non renseignés.")}},
                  {90, " 0 / 90", {}},
                  {91, " 0 / 90", {}},
                  {255, " 0 / 90", {}}};
    for (const auto& row : counts)
        rows.push_back({std::to_string(row.count) + " questions",
                        {QuizEntry(LzwCoded(PayloadDeclaring(row.count))),
                         CodesEntry(LzwCoded(CodeLines(row.count)))},
                        row.expected,
                        false,
                        row.score,
                        Robot::LOOK});

    // Pictures that cannot be decoded leave their controls empty, silently;
    // the fifth is missing, and solving the first asks for a bad reveal.
    rows.push_back({"pictures that are not pictures",
                    {QuizEntry(LzwCoded(QuizPayload(*MakeQuiz(LAYOUT_PICTURE, 5, REVEAL_PICTURE)))),
                     CodesEntry(LzwCoded(CodeLines(5))), MediaEntry(401, TEXT_BYTES),
                     MediaEntry(402, CUT_JPEG), MediaEntry(403, PNG_HEADER), MediaEntry(404, {}),
                     MediaEntry(10401, PNG_HEADER)},
                    {},
                    false,
                    " 1 / 5",
                    Robot::SOLVE_FIRST});

    return rows;
}

HWND PanelOf(HWND main)
{
    return FindWindowExA(main, nullptr, "#32770", nullptr);
}

// Long enough for a start-up or a click; a player that takes longer hangs.
constexpr DWORD PATIENCE_MS = 15000;

bool Click(const PlayerProcess& player, HWND panel, int id, std::vector<ShownMessage>& shown)
{
    return player.SendAnswering(panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                reinterpret_cast<LPARAM>(GetDlgItem(panel, id)), PATIENCE_MS,
                                shown);
}

// False when the player stops answering.
bool Drive(const PlayerProcess& player, HWND main, Robot robot, std::vector<ShownMessage>& shown)
{
    HWND panel = PanelOf(main);
    if (robot == Robot::SOLVE_FIRST) {
        HWND box = GetDlgItem(panel, ANSWER_BOX_BASE + 1);
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("reponse1"));
        return player.SendAnswering(box, WM_KEYUP, VK_RETURN, 3u << 30, PATIENCE_MS, shown);
    }
    if (robot == Robot::PLAY_EACH) {
        for (int i = 1; GetDlgItem(panel, PLAY_BUTTON_BASE + i); ++i)
            if (!Click(player, panel, PLAY_BUTTON_BASE + i, shown))
                return false;
        return Click(player, panel, STOP_BUTTON_BASE + 1, shown);
    }
    return true;
}

// Media files go to the shared current directory under fixed names, so the
// players that write them take turns.
std::mutex g_mediaTurn;

Outcome RunRow(const Row& row, int number)
{
    std::unique_lock<std::mutex> turn(g_mediaTurn, std::defer_lock);
    if (row.robot == Robot::PLAY_EACH)
        turn.lock();
    char name[32];
    wsprintfA(name, "damaged%02d.exe", number);
    Outcome outcome;
    PlayerProcess player(row.resources, name);
    HWND main = player.WaitForMainWindow(PATIENCE_MS, &outcome.shown);
    outcome.windowOpened = main != nullptr;
    if (main && Drive(player, main, row.robot, outcome.shown)) {
        outcome.score = WindowText(GetDlgItem(main, SCORE_LABEL_ID));
        player.SendAnswering(main, WM_CLOSE, 0, 0, PATIENCE_MS, outcome.shown);
    }
    outcome.exitCode = player.WaitForExit(PATIENCE_MS);
    DeleteFileA(player.AnswersPath().c_str());
    return outcome;
}

// Exit codes of a crash are exception codes (0xC0000005 and the like).
bool IsCrash(DWORD exitCode)
{
    return exitCode != STILL_ACTIVE && exitCode >= 0xC0000000u;
}

std::string Describe(const std::vector<ShownMessage>& shown)
{
    std::string list;
    for (const ShownMessage& message : shown)
        list += " [" + message.caption + ": " + message.text + "]";
    return list.empty() ? " none" : list;
}

// Runs every row, a few players side by side as each start waits mostly on
// Wine, and checks their outcomes; prints the figures under label.
void CheckCorpus(const char* label, const std::vector<Row>& rows)
{
    std::vector<Outcome> outcomes(rows.size());
    std::atomic<size_t> next(0);
    constexpr int WORKERS = 4;
    std::vector<std::thread> workers;
    workers.reserve(WORKERS);
    for (int w = 0; w < WORKERS; ++w)
        workers.emplace_back([&] {
            for (size_t r; (r = next++) < rows.size();)
                outcomes[r] = RunRow(rows[r], static_cast<int>(r));
        });
    for (std::thread& worker : workers)
        worker.join();

    const testing::TestResult& result =
        *testing::UnitTest::GetInstance()->current_test_info()->result();
    int crashes = 0;
    int handled = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        const Outcome& outcome = outcomes[r];
        SCOPED_TRACE(row.name + ", shown:" + Describe(outcome.shown));
        const int failuresBefore = result.total_part_count();
        crashes += IsCrash(outcome.exitCode);
        EXPECT_TRUE(outcome.windowOpened);
        EXPECT_EQ(outcome.exitCode, 0u)
            << (outcome.exitCode == STILL_ACTIVE ? "the player hangs" : "exit code 0x") << std::hex
            << outcome.exitCode;
        if (row.anyLoaderMessages) {
            EXPECT_TRUE(std::all_of(outcome.shown.begin(), outcome.shown.end(), IsLoaderMessage));
        } else {
            EXPECT_TRUE(Matches(outcome.shown, row.expected))
                << "expected:" << Describe(row.expected);
        }
        if (row.score) {
            EXPECT_EQ(outcome.score, row.score);
        }
        handled += result.total_part_count() == failuresBefore;
    }
    printf("%s: %zu damaged quizzes, %d handled, %d crashes\n", label, rows.size(), handled,
           crashes);
}

} // namespace

TEST(Robustness, EveryDamagedQuizShowsItsMessagesAndNeverCrashes)
{
    CheckCorpus("robustness", Corpus());
}
