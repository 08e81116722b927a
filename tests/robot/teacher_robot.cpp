// Makes or shows a quiz in the atelier as a teacher would, from outside its
// process:
//   teacher_robot [--hold SECONDS] ATELIER.exe make QUIZ.toml TITLE PICTURE...
//     a new picture quiz titled TITLE, a question per PICTURE chosen in the
//     file dialog (its answer the one its name suggests), saved as QUIZ.toml
//     and created as the quiz program beside it;
//   teacher_robot [--hold SECONDS] ATELIER.exe show QUIZ.toml QUESTION ANSWER
//     the quiz opened, QUESTION shown and ANSWER tried.
// Either keeps the window open for SECONDS (for a screenshot; the window's
// place is printed), then closes the atelier, its changes given up. Exit code
// 0 when all of that held; each failure is printed.
#include "atelier/window/control_ids.h"
#include "tests/robot/atelier_robot.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int failures = 0;

bool Expect(bool held, const char* what, const std::string& seen = "")
{
    if (!held) {
        fprintf(stderr, "teacher_robot: %s (got \"%s\")\n", what, seen.c_str());
        ++failures;
    }
    return held;
}

std::string Without(const std::string& path, const char* extension)
{
    return path.substr(0, path.size() - std::string(extension).size());
}

void Make(const AtelierRobot& atelier, const std::string& source, const std::string& title,
          char** pictures, int count)
{
    atelier.Command(ID_FILE_NEW);
    if (!Expect(
            atelier.ChooseInDialog("Nouveau quiz", IDC_NEW_TEXT, IDC_NEW_FILM, IDC_NEW_PICTURE) &&
                atelier.Press("Nouveau quiz", IDOK),
            "the new quiz's layout is chosen"))
        return;
    atelier.SetText(IDC_TITLE, title);
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            atelier.Command(ID_QUESTION_ADD);
            const std::string group = "Question " + std::to_string(i + 1);
            Expect(atelier.WaitFor([&] { return atelier.Text(IDC_QUESTION_GROUP) == group; }),
                   "a question is added", atelier.Text(IDC_QUESTION_GROUP));
        }
        atelier.Click(IDC_MEDIUM_PICK);
        Expect(atelier.AnswerFileDialog("Choisir une image", WindowsPath(pictures[i])),
               "a picture is chosen", pictures[i]);
    }
    atelier.Command(ID_FILE_SAVE);
    Expect(atelier.AnswerFileDialog("Enregistrer le quiz", WindowsPath(source)),
           "the quiz is saved", source);
    const std::string program = Without(source, ".toml") + ".exe";
    atelier.Command(ID_FILE_BUILD);
    Expect(atelier.AnswerFileDialog(u8"Créer le quiz", WindowsPath(program)),
           "the program is named", program);
    Expect(atelier.WaitFor(
               [&] { return atelier.Text(IDC_STATUS).find(u8"» créé") != std::string::npos; }),
           "the program is created", atelier.Text(IDC_STATUS));
}

void Show(const AtelierRobot& atelier, const std::string& source, int question,
          const std::string& answer)
{
    const std::string name = source.substr(source.find_last_of("/\\") + 1);
    Expect(atelier.WaitFor([&] { return atelier.Caption().rfind(name, 0) == 0; }),
           "the quiz is open", atelier.Caption());
    atelier.SelectRow(IDC_QUESTION_LIST, question - 1);
    const std::string group = "Question " + std::to_string(question);
    Expect(atelier.WaitFor([&] { return atelier.Text(IDC_QUESTION_GROUP) == group; }),
           "the question is shown", atelier.Text(IDC_QUESTION_GROUP));
    atelier.SetText(IDC_TRY_ANSWER, answer);
    // The picture as the player shows it, and the check after the last change.
    atelier.WaitFor([&] { return atelier.Text(IDC_PREVIEW).rfind("Image de", 0) == 0; }, 10000);
    Sleep(1500);
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
    const std::string mode = argc > 2 ? argv[2] : "";
    if (!(mode == "make" && argc >= 6) && !(mode == "show" && argc == 6)) {
        fprintf(stderr, "usage: teacher_robot [--hold SECONDS] ATELIER.exe make QUIZ.toml TITLE "
                        "PICTURE...\n       teacher_robot [--hold SECONDS] ATELIER.exe show "
                        "QUIZ.toml QUESTION ANSWER\n");
        return 2;
    }
    g_atelierPath = WindowsPath(argv[1]);
    const std::string source = argv[3];
    AtelierRobot atelier(mode == "show" ? WindowsPath(source) : "");
    if (!atelier.Window()) {
        fprintf(stderr, "teacher_robot: %s shows no window\n", argv[1]);
        return 1;
    }
    if (mode == "make")
        Make(atelier, source, argv[4], argv + 5, argc - 5);
    else
        Show(atelier, source, atoi(argv[4]), argv[5]);
    if (hold > 0) {
        RECT place;
        GetWindowRect(atelier.Window(), &place);
        printf("teacher_robot: holding the window at %ldx%ld+%ld+%ld for %d s\n",
               place.right - place.left, place.bottom - place.top, place.left, place.top, hold);
        fflush(stdout);
        Sleep(hold * 1000);
    }
    atelier.Close();
    if (atelier.WaitForExit(2000) == static_cast<DWORD>(STILL_ACTIVE))
        atelier.Press("Atelier Quizz", IDNO);
    const DWORD exitCode = atelier.WaitForExit(30000);
    Expect(exitCode == 0, "a clean exit", std::to_string(exitCode));
    if (failures == 0)
        printf("teacher_robot: %s %s\n", mode == "make" ? "made" : "showed", source.c_str());
    return failures == 0 ? 0 : 1;
}
