#include "player/answers_file.h"

#include "player/app_globals.h"
#include "player/panel_controls.h"
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

namespace {

bool WriteAll(HANDLE file, const char* bytes, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, bytes, size, &written, nullptr) && written == size;
}

bool WriteAnswers(HWND panel, const wchar_t* path)
{
    HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = true;
    const int boxCount = BoxesPerQuestion(g_quiz->answersPerQuestion) * g_quiz->questionCount;
    for (int n = 1; written && n <= boxCount; ++n) {
        char text[TEXT_SIZE] = {};
        GetWindowTextA(GetDlgItem(panel, ANSWER_BOX_BASE + n), text, TEXT_SIZE);
        char line[TEXT_SIZE + 2];
        const int length = wsprintfA(line, "%s\r\n", AnswerLineText(text));
        written = WriteAll(file, line, static_cast<DWORD>(length));
    }
    written = FlushFileBuffers(file) && written;
    return CloseHandle(file) && written;
}

// The name as the ANSI message box can show it: letters outside the system's
// code page become their nearest, or question marks.
void ShownName(const wchar_t* name, char (&shown)[4 * MAX_PATH])
{
    if (!WideCharToMultiByte(CP_ACP, 0, name, -1, shown, sizeof shown, nullptr, nullptr))
        shown[0] = '\0';
}

} // namespace

bool SaveAnswers(HWND panel)
{
    wchar_t name[MAX_PATH];
    AnswersFileName(name);
    wchar_t temporary[MAX_PATH + 32];
    swprintf(temporary, sizeof temporary / sizeof *temporary, L"%ls.%lu.new", name,
             GetCurrentProcessId());
    if (WriteAnswers(panel, temporary) &&
        MoveFileExW(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary);
    char shown[4 * MAX_PATH];
    ShownName(name, shown);
    char message[5 * MAX_PATH];
    snprintf(message, sizeof message,
             "Impossible d'enregistrer vos réponses dans « %s ». "
             "Les réponses enregistrées auparavant sont conservées.",
             shown);
    ShowMessageBox(message, "Quizz");
    return false;
}
