#include "quiz/answers_lines.h"

#include <cstring>

const char* AnswerLineText(const char* boxText)
{
    return boxText[0] ? boxText : EMPTY_BOX_MARK;
}

void BoxTextOfLine(const char* line, size_t length, char (&text)[TEXT_SIZE])
{
    if (length > 0 && line[length - 1] == '\r')
        --length;
    if (length > MAX_TEXT_LENGTH)
        length = MAX_TEXT_LENGTH;
    memcpy(text, line, length);
    text[length] = '\0';
    if (strcmp(text, EMPTY_BOX_MARK) == 0)
        text[0] = '\0';
}
