#include "ui/answers_file.h"

#include "quiz/message_box.h"
#include "ui/app_globals.h"
#include "ui/panel_controls.h"

#include <cstring>

namespace {

constexpr const char* EMPTY_BOX_MARK = "*";

} // namespace

void AnswersFileName(char (&name)[TEXT_SIZE])
{
    char path[TEXT_SIZE] = {};
    GetModuleFileNameA(nullptr, path, TEXT_SIZE);
    const char* base = strrchr(path, '\\');
    CopyText(name, base ? base + 1 : path);
    const size_t length = strlen(name);
    if (length >= 3)
        memcpy(name + length - 3, "txt", 3);
}

SavedAnswers OpenSavedAnswers()
{
    char name[TEXT_SIZE];
    AnswersFileName(name);
    // Binary: the text mode would end the file at a Ctrl+Z byte; line ends
    // are found here, CR LF or LF alike.
    return {fopen(name, "rb")};
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
    if (length > 0 && line[length - 1] == '\r')
        --length;
    if (length > TEXT_SIZE - 1)
        length = TEXT_SIZE - 1;
    memcpy(text, line, length);
    text[length] = '\0';
    if (strcmp(text, EMPTY_BOX_MARK) == 0)
        text[0] = '\0';
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

bool WriteAnswers(HWND panel, const char* path)
{
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = true;
    const int boxCount = BoxesPerQuestion(g_quiz->answersPerQuestion) * g_quiz->questionCount;
    for (int n = 1; written && n <= boxCount; ++n) {
        char text[TEXT_SIZE] = {};
        GetWindowTextA(GetDlgItem(panel, ANSWER_BOX_BASE + n), text, TEXT_SIZE);
        char line[TEXT_SIZE + 2];
        const int length = wsprintfA(line, "%s\r\n", text[0] ? text : EMPTY_BOX_MARK);
        written = WriteAll(file, line, static_cast<DWORD>(length));
    }
    written = FlushFileBuffers(file) && written;
    return CloseHandle(file) && written;
}

} // namespace

bool SaveAnswers(HWND panel)
{
    char name[TEXT_SIZE];
    AnswersFileName(name);
    char temporary[TEXT_SIZE + 8];
    wsprintfA(temporary, "%s.new", name);
    if (WriteAnswers(panel, temporary) &&
        MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary);
    char message[2 * TEXT_SIZE];
    wsprintfA(message,
              "Impossible d'enregistrer vos réponses dans « %s ». "
              "Les réponses enregistrées auparavant sont conservées.",
              name);
    ShowMessageBox(message, "Quizz");
    return false;
}
