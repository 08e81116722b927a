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
#include <mutex>
#include <thread>

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
    std::vector<ShownMessage> expected; // an empty text matches any
    const char* score;                  // once the robot is done; none: any loader messages
    Robot robot = Robot::LOOK;
};

bool Matches(const std::vector<ShownMessage>& shown, const std::vector<ShownMessage>& expected)
{
    return std::equal(shown.begin(), shown.end(), expected.begin(), expected.end(),
                      [](const ShownMessage& s, const ShownMessage& e) {
                          return s.caption == e.caption && (e.text.empty() || s.text == e.text);
                      });
}

std::vector<ResourceEntry> Payloads(const Bytes& quiz, const Bytes& codes)
{
    return {{PAYLOAD_RESOURCE_TYPE, QUIZ_RESOURCE, quiz},
            {PAYLOAD_RESOURCE_TYPE, CODES_RESOURCE, codes}};
}

// A quiz of count questions, declared in its payload and held in as many
// blocks, more than a quiz can keep when count passes MAX_QUESTIONS.
std::vector<ResourceEntry> Declaring(int count)
{
    Bytes payload;
    BuildQuizPayload(*MakeQuiz(LAYOUT_TEXT, std::min(count, MAX_QUESTIONS), 1, REVEAL_NONE),
                     payload);
    payload[2] = static_cast<unsigned char>(count);
    const Bytes block = {'x', '|', 'q', '|'};
    for (int i = MAX_QUESTIONS; i < count; ++i) // before the reveal mode and colour bytes
        payload.insert(payload.end() - 4, block.begin(), block.end());
    Bytes codes;
    for (int i = 0; i < count; ++i)
        codes.insert(codes.end(), {'C', '\r', '\n'});
    return Payloads(LzwCoded(payload), LzwCoded(codes));
}

// Files that are not what their resource should hold.
const Bytes TEXT_BYTES = {'n', 'o', 't', ' ', 'm', 'e', 'd', 'i', 'a', '\r', '\n'};
const Bytes CUT_JPEG = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01};
const Bytes PNG_HEADER = {0x89, 'P',  'N',  'G',  '\r', '\n', 0x1A, '\n',
                          0x00, 0x00, 0x00, 0x0D, 'I',  'H',  'D',  'R'};

// A quiz of layout with these media, given for questions 1, 2, 3...
std::vector<ResourceEntry> WithMedia(int layout, int questions, int reveal,
                                     const std::vector<Bytes>& media)
{
    std::vector<ResourceEntry> resources = QuizResources(*MakeQuiz(layout, questions, 1, reveal));
    for (size_t i = 0; i < media.size(); ++i)
        resources.push_back({MEDIA_RESOURCE_TYPE, MEDIA_RESOURCE_BASE + 1 + int(i), media[i]});
    return resources;
}

std::vector<Row> Corpus()
{
    const std::vector<ResourceEntry> whole =
        QuizResources(*MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_TEXT));
    const Bytes quiz = whole[0].data, codes = whole[1].data;
    const size_t q = quiz.size();
    const Bytes empty;

    // A picture, a text and an empty file as sounds or films, and a fourth
    // missing; the robot plays each. A missing one is told when it is wanted
    // (a film also as the panel is built), a picture is refused before it
    // can hang the media system, the others are that system's business: the
    // sound window shows its own box. First, as these players take turns.
    const ShownMessage mci = {"MCI Error", ""};
    const ShownMessage noSound = {"Information", "Impossible de localiser le fichier audio."};
    const ShownMessage noFilm = {"Information", "Impossible de localiser le fichier vidéo."};
    const ShownMessage badFilm = {"Information", "Impossible de charger le fichier vidéo."};
    std::vector<Row> rows = {
        {"sounds that are not sounds",
         WithMedia(LAYOUT_AUDIO, 4, REVEAL_NONE, {CUT_JPEG, TEXT_BYTES, empty}),
         {{"Information", "Impossible de charger le fichier audio."}, mci, mci, noSound},
         " 0 / 4",
         Robot::PLAY_EACH},
        {"films that are not films",
         WithMedia(LAYOUT_VIDEO, 4, REVEAL_NONE, {PNG_HEADER, TEXT_BYTES, empty}),
         {badFilm, noFilm, badFilm, noFilm},
         " 0 / 4",
         Robot::PLAY_EACH},
        // The loader's tests tell each missing, empty and undecodable
        // payload apart; past the loader, only which payload failed matters.
        {"quiz missing",
         {whole[1]},
         {{"Quizz", "Erreur dans le fichier"}, {"Quizz", "Reponses non trouvées"}},
         " 0 / 30"},
        {"codes cut",
         Payloads(quiz, Bytes(codes.begin(), codes.end() - 2)),
         {{"Quizz", "Erreur dans le décryptage des codes"}},
         " 0 / 3"},
        {"0 questions", Declaring(0), {{"Quizz", "Codes non renseignés."}}, " 0 / 0"},
        {"90 questions", Declaring(90), {}, " 0 / 90"},
        {"91 questions", Declaring(91), {}, " 0 / 90"},
        {"255 questions", Declaring(255), {}, " 0 / 90"},
        // Pictures that cannot be decoded leave their controls empty,
        // silently; the fifth is missing, and solving the first asks for a
        // reveal that is not a picture either.
        {"pictures that are not pictures",
         WithMedia(LAYOUT_PICTURE, 5, REVEAL_PICTURE, {TEXT_BYTES, CUT_JPEG, PNG_HEADER, empty}),
         {},
         " 1 / 5",
         Robot::SOLVE_FIRST},
    };
    rows.back().resources.push_back(
        {MEDIA_RESOURCE_TYPE, REVEAL_PICTURE_RESOURCE_BASE + 1, PNG_HEADER});
    for (size_t size : {size_t{1}, size_t{2}, q / 4, q / 2, 3 * q / 4, q - 2, q - 1})
        rows.push_back({"quiz cut to " + std::to_string(size),
                        Payloads(Bytes(quiz.begin(), quiz.begin() + size), codes),
                        {{"Quizz", "Erreur dans le décryptage des reponses"}},
                        " 0 / 0"});
    // A low bit flipped often leaves a stream that decodes, into a payload
    // that no tool wrote; a whole byte flipped mostly breaks the stream.
    for (unsigned char bits : {0x01, 0xFF}) {
        const std::string mask = bits == 1 ? " ^01" : " ^FF";
        for (size_t at : {size_t{0}, size_t{2}, q / 2, q - 1}) {
            Bytes flipped = quiz;
            flipped[at] ^= bits;
            rows.push_back(
                {"quiz byte " + std::to_string(at) + mask, Payloads(flipped, codes), {}, nullptr});
        }
        Bytes flipped = codes;
        flipped[codes.size() / 2] ^= bits;
        rows.push_back({"codes byte" + mask, Payloads(quiz, flipped), {}, nullptr});
    }
    return rows;
}

// Long enough for a start-up or a click; a player that takes longer hangs.
constexpr DWORD PATIENCE_MS = 15000;

// False when the player stops answering.
bool Drive(const PlayerProcess& player, HWND main, Robot robot, std::vector<ShownMessage>& shown)
{
    HWND panel = FindWindowExA(main, nullptr, "#32770", nullptr);
    const auto click = [&](int id) {
        return player.SendAnswering(panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                    reinterpret_cast<LPARAM>(GetDlgItem(panel, id)), PATIENCE_MS,
                                    shown);
    };
    if (robot == Robot::SOLVE_FIRST) {
        HWND box = GetDlgItem(panel, ANSWER_BOX_BASE + 1);
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Paris"));
        return player.SendAnswering(box, WM_KEYUP, VK_RETURN, 3u << 30, PATIENCE_MS, shown);
    }
    if (robot == Robot::PLAY_EACH) {
        for (int i = 1; GetDlgItem(panel, PLAY_BUTTON_BASE + i); ++i)
            if (!click(PLAY_BUTTON_BASE + i))
                return false;
        return click(STOP_BUTTON_BASE + 1);
    }
    return true;
}

// Media files go to the shared current directory under fixed names, so the
// players that write them take turns.
std::mutex g_mediaTurn;

std::string Describe(const std::vector<ShownMessage>& shown)
{
    std::string list;
    for (const ShownMessage& message : shown)
        list += " [" + message.caption + ": " + message.text + "]";
    return list.empty() ? " none" : list;
}

void RunRow(const Row& row)
{
    std::unique_lock<std::mutex> turn(g_mediaTurn, std::defer_lock);
    if (row.robot == Robot::PLAY_EACH)
        turn.lock();
    std::vector<ShownMessage> shown;
    std::string score;
    PlayerProcess player(row.resources, TemporaryPath("damaged.exe"));
    HWND main = player.WaitForMainWindow(PATIENCE_MS, &shown);
    if (main && Drive(player, main, row.robot, shown)) {
        score = WindowText(GetDlgItem(main, SCORE_LABEL_ID));
        player.SendAnswering(main, WM_CLOSE, 0, 0, PATIENCE_MS, shown);
    }
    const DWORD exitCode = player.WaitForExit(PATIENCE_MS);
    DeleteFileA(player.AnswersPath().c_str());

    SCOPED_TRACE(row.name + ", shown:" + Describe(shown));
    EXPECT_NE(main, nullptr);
    // A crash exits with an exception code (0xC0000005 and the like).
    EXPECT_EQ(exitCode, 0u) << (exitCode == STILL_ACTIVE ? "the player hangs" : "exit code 0x")
                            << std::hex << exitCode;
    if (row.score) {
        EXPECT_TRUE(Matches(shown, row.expected)) << "expected:" << Describe(row.expected);
        EXPECT_EQ(score, row.score);
    } else { // the loader's messages only
        for (const ShownMessage& message : shown)
            EXPECT_EQ(message.caption, "Quizz") << message.text;
    }
}

} // namespace

// The players run a few side by side, as each start waits mostly on Wine.
TEST(Robustness, EveryDamagedQuizShowsItsMessagesAndNeverCrashes)
{
    const std::vector<Row> rows = Corpus();
    std::atomic<size_t> next(0);
    constexpr int WORKERS = 4;
    std::vector<std::thread> workers;
    workers.reserve(WORKERS);
    for (int w = 0; w < WORKERS; ++w)
        workers.emplace_back([&] {
            for (size_t r; (r = next++) < rows.size();)
                RunRow(rows[r]);
        });
    for (std::thread& worker : workers)
        worker.join();
}
