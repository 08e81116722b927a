#include "quiz/message_box.h"

#include <windows.h>

void ShowMessageBox(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK);
}
