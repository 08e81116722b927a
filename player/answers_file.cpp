#include "player/answers_file.h"

#include "player/app_globals.h"
#include "player/panel_controls.h"
#include "player/whole_file.h"
#include "quiz/answers_lines.h"
#include "quiz/message_box.h"

#include <cstring>
#include <cwchar>
#include <string>

void AnswersFileName(wchar_t (&name)[MAX_PATH])
{
    // Room for a path as long as Windows makes them, so that the name at its
    // end is never cut.
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size())));
    const std::wstring base = path.substr(path.find_last_of(L'\\') + 1);
    const size_t length = base.copy(name, MAX_PATH - 1);
    name[length] = L'\0';
    if (length >= 3)
        wmemcpy(name + length - 3, L"txt", 3);
}

SavedAnswers OpenSavedAnswers()
{
    wchar_t name[MAX_PATH];
    AnswersFileName(name);
    // Binary: the text mode would end the file at a Ctrl+Z byte; line ends
    // are found here, CR LF or LF alike.
    return {_wfopen(name, L"rb")};
}

void NextSavedAnswer(SavedAnswers& saved, char (&text)[TEXT_SIZE])
{
    // A line is every byte before its line feed, NUL bytes included: a line
    // measured by its string length would end early, and the rest of it
    // would be taken for the next box's line.
    char line[TEXT_SIZE]; // a box's worth, and the CR of a CR LF
    size_t length = 0;
    for (int c; saved.file && (c = fgetc(saved.file)) != EOF && c != '\n';) {
        if (length < sizeof line)
            line[length++] = static_cast<char>(c); // the rest belongs to no box
    }
    BoxTextOfLine(line, length, text);
}

void CloseSavedAnswers(SavedAnswers& saved)
{
    if (saved.file)
        fclose(saved.file);
    saved.file = nullptr;
}

std::vector<std::string> BoxTexts(HWND panel)
{
    const int boxCount = BoxesPerQuestion(g_quiz->answersPerQuestion) * g_quiz->questionCount;
    std::vector<std::string> texts;
    for (int n = 1; n <= boxCount; ++n) {
        char text[TEXT_SIZE] = {};
        GetWindowTextA(GetDlgItem(panel, ANSWER_BOX_BASE + n), text, TEXT_SIZE);
        texts.push_back(text);
    }
    return texts;
}

bool EmptyAnswersFile()
{
    wchar_t name[MAX_PATH];
    AnswersFileName(name);
    return WriteWholeFile(name, "");
}

bool SaveAnswers(HWND panel)
{
    wchar_t name[MAX_PATH];
    AnswersFileName(name);
    std::string lines;
    for (const std::string& text : BoxTexts(panel))
        lines += std::string(AnswerLineText(text.c_str())) + "\r\n";
    if (WriteWholeFile(name, lines))
        return true;
    const std::string message = "Impossible d'enregistrer vos réponses dans « " + AnsiShown(name) +
                                " ». Les réponses enregistrées auparavant sont conservées.";
    ShowMessageBox(message.c_str(), "Quizz");
    return false;
}
