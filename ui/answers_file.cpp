#include "ui/answers_file.h"

#include <windows.h>

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
    return {fopen(name, "r")};
}

void NextSavedAnswer(SavedAnswers& saved, char (&text)[TEXT_SIZE])
{
    text[0] = '\0';
    if (!saved.file || !fgets(text, TEXT_SIZE, saved.file)) {
        text[0] = '\0';
        return;
    }
    const size_t length = strlen(text);
    if (length > 0 && text[length - 1] == '\n') {
        text[length - 1] = '\0';
    } else {
        // An over-long line: its rest belongs to no box.
        int c;
        while ((c = fgetc(saved.file)) != EOF && c != '\n') {
        }
    }
    if (strcmp(text, EMPTY_BOX_MARK) == 0)
        text[0] = '\0';
}

void CloseSavedAnswers(SavedAnswers& saved)
{
    if (saved.file)
        fclose(saved.file);
    saved.file = nullptr;
}
