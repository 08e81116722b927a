// Plays a packed quiz as a user would, from outside its process:
//   play_robot [--hold SECONDS] QUIZ.exe TITLE SCORE ANSWER...
// waits for its window captioned TITLE, types each ANSWER into the next box
// and presses Enter, expects SCORE in the header, keeps the window open for
// SECONDS (for a screenshot), closes it and expects a clean exit with the
// first ANSWER saved in the answers file beside the quiz.
// Exit code 0 when all of that held; each failure is printed.
#include "player/header_bar.h"
#include "player/panel_controls.h"
#include "tests/robot/player_process.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr DWORD PATIENCE_MS = 30000;

int failures = 0;

void Expect(bool held, const char* what, const std::string& seen)
{
    if (!held) {
        fprintf(stderr, "play_robot: %s (got \"%s\")\n", what, seen.c_str());
        ++failures;
    }
}

} // namespace

int main(int argc, char** argv)
{
    int hold = 0;
    if (argc > 2 && std::string(argv[1]) == "--hold") {
        hold = atoi(argv[2]);
        argc -= 2;
        argv += 2;
    }
    if (argc < 5) {
        fprintf(stderr, "usage: play_robot [--hold SECONDS] QUIZ.exe TITLE SCORE ANSWER...\n");
        return 2;
    }
    const char* title = argv[2];
    const std::string program = WindowsPath(argv[1]);
    PlayerProcess player(program);
    std::vector<RecordedMessage> shown;
    HWND main = player.WaitForMainWindow(PATIENCE_MS, &shown);
    if (!main) {
        fprintf(stderr, "play_robot: %s shows no window\n", argv[1]);
        return 1;
    }
    Expect(shown.empty(), "no message box at start", shown.empty() ? "" : shown[0].text);
    Expect(WindowText(main) == title, "the caption is the title", WindowText(main));

    HWND panel = FindWindowExA(main, nullptr, "#32770", nullptr);
    for (int n = 1; n + 3 < argc; ++n) {
        HWND box = GetDlgItem(panel, ANSWER_BOX_BASE + n);
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[n + 3]));
        SendMessageA(box, WM_KEYUP, VK_RETURN, 3u << 30);
    }
    const std::string score = WindowText(GetDlgItem(main, SCORE_LABEL_ID));
    Expect(score == argv[3], "the score counts the answers", score);
    if (hold > 0) {
        printf("play_robot: holding the window for %d s\n", hold);
        fflush(stdout);
        Sleep(hold * 1000);
    }

    player.SendAnswering(main, WM_CLOSE, 0, 0, PATIENCE_MS, shown);
    const DWORD exitCode = player.WaitForExit(PATIENCE_MS);
    Expect(exitCode == 0, "a clean exit", std::to_string(exitCode));
    const std::string saved = FileText(AnswersPath(program));
    Expect(saved.rfind(argv[4] + std::string("\r\n"), 0) == 0, "the first answer is saved", saved);
    if (failures == 0)
        printf("play_robot: %s plays (%s, score%s)\n", argv[1], title, score.c_str());
    return failures == 0 ? 0 : 1;
}
