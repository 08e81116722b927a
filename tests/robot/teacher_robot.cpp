// Makes or shows a quiz in the atelier as a teacher would, from outside its
// process:
//   teacher_robot [--hold SECONDS] ATELIER.exe make QUIZ.toml TITLE PICTURE...
//     a new picture quiz titled TITLE, a question per PICTURE chosen in the
//     file dialog (its answer the one its name suggests), saved as QUIZ.toml
//     and created as the quiz program beside it;
//   teacher_robot [--hold SECONDS] ATELIER.exe show QUIZ.toml QUESTION ANSWER
//     the quiz opened, QUESTION shown and ANSWER tried;
//   teacher_robot [--hold SECONDS] ATELIER.exe bilan QUIZ.toml
//     the quiz opened and its Bilan de la classe shown, with the work of a
//     class of 25 made up from the quiz's answers (right ones, near misses,
//     wrong and empty ones; one altered, one of another quiz) pasted in.
// Each keeps the window open for SECONDS (for a screenshot; the window's
// place is printed), then closes the atelier, its changes given up. Exit code
// 0 when all of that held; each failure is printed.
#include "atelier/window/control_ids.h"
#include "authoring/packing/file_set.h"
#include "quiz/pupil_results.h"
#include "quiz/text_encoding.h"
#include "tests/robot/atelier_robot.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

// The values of a key of the source, in order: "key = \"value\"" lines,
// Windows-1252 as the quiz packs them.
std::vector<std::string> Values(const std::string& source, const std::string& key)
{
    std::vector<std::string> values;
    const std::string start = "\n" + key + " = \"";
    for (size_t at = 0; (at = source.find(start, at)) != std::string::npos;) {
        at += start.size();
        std::vector<char32_t> unencodable;
        values.push_back(
            Utf8ToWindows1252(source.substr(at, source.find('"', at) - at), unencodable));
    }
    return values;
}

// A class's work, each pupil's answers made up from the quiz's: the first
// questions found by most, the last by few, the misses near or wrong.
std::string ClassWork(const std::string& title, const std::vector<std::string>& answers)
{
    static const char* const NAMES[] = {
        u8"Adam Benali",   u8"Alice Moreau",  u8"Arthur Lefèvre", u8"Camille Roux",
        u8"Chloé Girard",  u8"Emma Fontaine", u8"Enzo Marchand",  u8"Gabriel Faure",
        u8"Hugo Petit",    u8"Inès Haddad",   u8"Jade Lambert",   u8"Jules Garnier",
        u8"Léa Martin",    u8"Léo Chevalier", u8"Lina Bouvier",   u8"Louis Mercier",
        u8"Louise Dupont", u8"Lucas Bernard", u8"Manon Robin",    u8"Mila Blanc",
        u8"Nathan Guerin", u8"Noah Perrin",   u8"Rose Lemoine",   u8"Tom Renaud",
        u8"Zoé Durand"};
    const std::vector<unsigned char> key = WorkKey(title);
    std::string work;
    const size_t count = answers.size();
    for (size_t pupil = 0; pupil < std::size(NAMES); ++pupil) {
        PupilResults results{
            QuizIdentity(key), NAMES[pupil], "2026-12-08 10:" + std::to_string(10 + pupil), {}};
        for (size_t question = 0; question < count; ++question) {
            const std::string& answer = answers[question];
            const int chance = static_cast<int>((pupil * 37 + question * 53) % 100);
            const int found = 95 - static_cast<int>(question * 70 / std::max<size_t>(count, 1));
            if (chance < found)
                results.answers.push_back(answer);
            else if (chance % 4 == 0)
                results.answers.push_back(answer.substr(0, answer.size() - 1));
            else if (chance % 4 == 1)
                results.answers.push_back(answers[(question + 1) % count]);
            else if (chance % 4 == 2)
                results.answers.push_back(answer.size() > 3 ? answer.substr(0, 2) + answer.substr(3)
                                                            : "");
            else
                results.answers.push_back("");
        }
        std::string file = WriteResults(results, key);
        if (pupil == 23) // Tom's work, mended by hand
            file.replace(file.find("\r\n1 = ") + 6, 1, "X");
        work += ResultsBlock(file) + "\r\n\r\n";
    }
    const std::vector<unsigned char> other = WorkKey("Un autre quiz");
    work += ResultsBlock(WriteResults({QuizIdentity(other), u8"Max Colin", "2026-12-08 11:02",
                                       std::vector<std::string>(count, "Paris")},
                                      other));
    return work;
}

void ShowClassResults(const AtelierRobot& atelier, const std::string& source)
{
    std::vector<unsigned char> bytes;
    std::string error;
    if (!Expect(ReadWholeFile(source, bytes, error), "the quiz is read", error))
        return;
    const std::string text = "\n" + std::string(bytes.begin(), bytes.end());
    const std::vector<std::string> title = Values(text, "titre");
    const std::vector<std::string> answers = Values(text, "reponse");
    if (!Expect(title.size() == 1 && !answers.empty(), "the quiz has a title and answers"))
        return;
    const std::string name = source.substr(source.find_last_of("/\\") + 1);
    Expect(atelier.WaitFor([&] { return atelier.Caption().rfind(name, 0) == 0; }),
           "the quiz is open", atelier.Caption());
    atelier.Command(ID_FILE_CLASS_RESULTS);
    const HWND bilan = atelier.ClassResults();
    if (!Expect(bilan != nullptr, "the bilan opens"))
        return;
    atelier.PasteWork(ClassWork(title[0], answers));
    Expect(atelier.WaitFor([&] { return atelier.Rows(IDC_RESULTS_TABLE, bilan) == 26; }),
           "the class is read", std::to_string(atelier.Rows(IDC_RESULTS_TABLE, bilan)));
    // A cell of a hard question chosen: its wrong answers show.
    HWND table = GetDlgItem(bilan, IDC_RESULTS_TABLE);
    for (WPARAM key :
         {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT})
        PostMessageW(table, WM_KEYDOWN, key, 0);
    Sleep(1000);
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
    if (!(mode == "make" && argc >= 6) && !(mode == "show" && argc == 6) &&
        !(mode == "bilan" && argc == 4)) {
        fprintf(stderr, "usage: teacher_robot [--hold SECONDS] ATELIER.exe make QUIZ.toml TITLE "
                        "PICTURE...\n       teacher_robot [--hold SECONDS] ATELIER.exe show "
                        "QUIZ.toml QUESTION ANSWER\n       teacher_robot [--hold SECONDS] "
                        "ATELIER.exe bilan QUIZ.toml\n");
        return 2;
    }
    g_atelierPath = WindowsPath(argv[1]);
    const std::string source = argv[3];
    AtelierRobot atelier(mode == "make" ? "" : WindowsPath(source));
    if (!atelier.Window()) {
        fprintf(stderr, "teacher_robot: %s shows no window\n", argv[1]);
        return 1;
    }
    if (mode == "make")
        Make(atelier, source, argv[4], argv + 5, argc - 5);
    else if (mode == "show")
        Show(atelier, source, atoi(argv[4]), argv[5]);
    else
        ShowClassResults(atelier, source);
    if (hold > 0) {
        RECT place;
        GetWindowRect(mode == "bilan" && atelier.ClassResults() ? atelier.ClassResults()
                                                                : atelier.Window(),
                      &place);
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
