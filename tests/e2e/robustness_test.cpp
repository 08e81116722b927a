// A corpus of damaged quiz executables, each started under Wine: a robot
// answers the message boxes, checks that the window opens, solves the first
// question, presses every play button and then a stop button, closes the
// window, and checks that the player exits cleanly instead of crashing.
#include "player/header_bar.h"
#include "player/panel_controls.h"
#include "quiz/payload.h"
#include "quiz/resource_names.h"
#include "tests/robot/player_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace {

using Bytes = std::vector<unsigned char>;

struct Row {
    std::string name;
    std::vector<ResourceEntry> resources;
    std::vector<RecordedMessage> expected = {}; // the texts of Wine's MCI boxes are left out
    const char* score = nullptr;                // once the robot is done; none: any loader messages
};

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
    for (int i = MAX_QUESTIONS; i < count; ++i) // before the reveal mode and colour bytes
        payload.insert(payload.end() - 4, {'x', '|', 'q', '|'});
    Bytes codes;
    for (int i = 0; i < count; ++i)
        codes.insert(codes.end(), {'C', '\r', '\n'});
    return Payloads(LzwCoded(payload), LzwCoded(codes));
}

// Files that are not what their resource should hold.
const Bytes TEXT_BYTES = {'n', 'o', 't', ' ', 'm', 'e', 'd', 'i', 'a', '\r', '\n'};
const Bytes CUT_JPEG = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01};
const Bytes PNG_SIGNATURE = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

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

    // A picture, a text and an empty file as sounds or films, and a fourth
    // missing; the robot plays each. A missing one is told when it is wanted
    // (a film also as the panel is built), a picture is refused before it
    // can hang the media system, the others are that system's business: the
    // sound window shows its own box.
    const RecordedMessage mci = {"", "MCI Error"};
    const RecordedMessage noSound = {"Impossible de localiser le fichier audio.", "Information"};
    const RecordedMessage noFilm = {"Impossible de localiser le fichier vidéo.", "Information"};
    const RecordedMessage badFilm = {"Impossible de charger le fichier vidéo.", "Information"};
    std::vector<Row> rows = {
        {"sounds that are not sounds",
         WithMedia(LAYOUT_AUDIO, 4, REVEAL_NONE, {CUT_JPEG, TEXT_BYTES, {}}),
         {{"Impossible de charger le fichier audio.", "Information"}, mci, mci, noSound},
         " 1 / 4"},
        {"films that are not films",
         WithMedia(LAYOUT_VIDEO, 4, REVEAL_NONE, {PNG_SIGNATURE, TEXT_BYTES, {}}),
         {badFilm, noFilm, badFilm, noFilm},
         " 1 / 4"},
        // The loader's tests tell each missing, empty and undecodable
        // payload apart; past the loader, only which payload failed matters.
        {"quiz missing",
         {whole[1]},
         {{"Erreur dans le fichier", "Quizz"}, {"Reponses non trouvées", "Quizz"}},
         " 0 / 30"},
        {"codes cut",
         Payloads(quiz, Bytes(codes.begin(), codes.end() - 2)),
         {{"Erreur dans le décryptage des codes", "Quizz"}},
         " 1 / 3"},
        {"0 questions", Declaring(0), {{"Codes non renseignés.", "Quizz"}}, " 0 / 0"},
        // 91 builds the same full panel as 90; 255 is the most a byte declares.
        {"91 questions", Declaring(91), {}, " 1 / 90"},
        {"255 questions", Declaring(255), {}, " 1 / 90"},
        // Pictures that cannot be decoded leave their controls empty,
        // silently; the fifth is missing, and solving the first asks for a
        // reveal that is not a picture either.
        {"pictures that are not pictures",
         WithMedia(LAYOUT_PICTURE, 5, REVEAL_PICTURE, {TEXT_BYTES, CUT_JPEG, PNG_SIGNATURE, {}}),
         {},
         " 1 / 5"},
    };
    rows.back().resources.push_back(
        {MEDIA_RESOURCE_TYPE, REVEAL_PICTURE_RESOURCE_BASE + 1, PNG_SIGNATURE});
    for (size_t size : {size_t{1}, size_t{2}, q / 4, q / 2, 3 * q / 4, q - 2, q - 1})
        rows.push_back({"quiz cut to " + std::to_string(size),
                        Payloads(Bytes(quiz.begin(), quiz.begin() + size), codes),
                        {{"Erreur dans le décryptage des reponses", "Quizz"}},
                        " 0 / 0"});
    // A low bit flipped often leaves a stream that decodes, into a payload
    // that no tool wrote; a whole byte flipped mostly breaks the stream.
    for (int bits : {0x01, 0xFF}) {
        const auto flip = [bits](Bytes bytes, size_t at) {
            bytes[at] ^= bits;
            return bytes;
        };
        const std::string mask = " ^" + std::to_string(bits);
        for (size_t at : {size_t{0}, size_t{2}, q / 2, q - 1})
            rows.push_back(
                {"quiz byte " + std::to_string(at) + mask, Payloads(flip(quiz, at), codes)});
        rows.push_back({"codes byte" + mask, Payloads(quiz, flip(codes, codes.size() / 2))});
    }
    return rows;
}

// Long enough for a start-up or a click; a player that takes longer hangs.
constexpr DWORD PATIENCE_MS = 15000;

// False when the player stops answering.
bool Drive(const PlayerProcess& player, HWND main, std::vector<RecordedMessage>& shown)
{
    HWND panel = FindWindowExA(main, nullptr, "#32770", nullptr);
    const auto click = [&](int id) {
        HWND button = GetDlgItem(panel, id);
        return !button ||
               player.SendAnswering(panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                    reinterpret_cast<LPARAM>(button), PATIENCE_MS, shown);
    };
    if (HWND box = GetDlgItem(panel, ANSWER_BOX_BASE + 1)) {
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Paris"));
        if (!player.SendAnswering(box, WM_KEYUP, VK_RETURN, 3u << 30, PATIENCE_MS, shown))
            return false;
    }
    for (int id = PLAY_BUTTON_BASE + 1; GetDlgItem(panel, id); ++id)
        if (!click(id))
            return false;
    return click(STOP_BUTTON_BASE + 1);
}

// Media files go to the shared current directory under fixed names, so the
// players of quizzes with media take turns.
std::mutex g_mediaTurn;

void RunRow(const Row& row)
{
    std::unique_lock<std::mutex> turn(g_mediaTurn, std::defer_lock);
    if (std::any_of(row.resources.begin(), row.resources.end(),
                    [](const ResourceEntry& entry) { return entry.type == MEDIA_RESOURCE_TYPE; }))
        turn.lock();
    std::vector<RecordedMessage> shown;
    std::string score;
    const std::string program = TemporaryPath("damaged.exe");
    PlayerProcess player(program, row.resources);
    HWND main = player.WaitForMainWindow(PATIENCE_MS, &shown);
    if (main && Drive(player, main, shown)) {
        score = WindowText(GetDlgItem(main, SCORE_LABEL_ID));
        player.SendAnswering(main, WM_CLOSE, 0, 0, PATIENCE_MS, shown);
    }
    const DWORD exitCode = player.WaitForExit(PATIENCE_MS);
    DeleteFileA(AnswersPath(program).c_str());
    for (RecordedMessage& message : shown)
        if (message.caption == "MCI Error")
            message.text.clear();

    SCOPED_TRACE(row.name + ", shown: " + testing::PrintToString(shown));
    EXPECT_NE(main, nullptr);
    // A crash exits with an exception code (0xC0000005 and the like).
    EXPECT_EQ(exitCode, 0u) << (exitCode == STILL_ACTIVE ? "the player hangs" : "exit code 0x")
                            << std::hex << exitCode;
    if (row.score) {
        EXPECT_EQ(shown, row.expected);
        EXPECT_EQ(score, row.score);
    } else { // the loader's messages only
        for (const RecordedMessage& message : shown)
            EXPECT_EQ(message.caption, "Quizz");
    }
}

} // namespace

// The players run a few side by side, as each start waits mostly on Wine.
TEST(Robustness, EveryDamagedQuizShowsItsMessagesAndNeverCrashes)
{
    const std::vector<Row> rows = Corpus();
    std::atomic<size_t> next(0);
    std::vector<std::thread> workers(4);
    for (std::thread& worker : workers)
        worker = std::thread([&] {
            for (size_t r; (r = next++) < rows.size();)
                RunRow(rows[r]);
        });
    for (std::thread& worker : workers)
        worker.join();
}
