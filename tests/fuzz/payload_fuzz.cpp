// Any bytes as a decoded quiz payload, as a codes payload and as a web site:
// the parsers stay inside the bytes given and inside their 260-byte fields.
#include "quiz/payload.h"
#include "quiz/web_site.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const auto length = static_cast<uint32_t>(size);
    QuizRecord quiz;
    ParseQuizPayload(data, length, quiz);
    ParseCodesPayload(data, length, quiz);
    if (ReadWebSite(data, length, quiz.webSite) != (quiz.webSite[0] != '\0') ||
        strlen(quiz.webSite) > MAX_TEXT_LENGTH)
        __builtin_trap();
    int questions = 0;
    for (QuestionRecord* q = quiz.firstQuestion; q; q = q->next)
        if (strlen(q->answer) > MAX_TEXT_LENGTH || strlen(q->revealText) > MAX_TEXT_LENGTH)
            __builtin_trap();
        else
            ++questions;
    if (questions > MAX_QUESTIONS || quiz.questionCount > MAX_QUESTIONS)
        __builtin_trap();
    return 0;
}
