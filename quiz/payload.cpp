#include "quiz/payload.h"

#include <cstring>

namespace {

constexpr unsigned char CR = '\r';
constexpr unsigned char LF = '\n';

struct PayloadReader {
    const unsigned char* data;
    uint32_t length;
    uint32_t position;

    unsigned char Byte() { return position < length ? data[position++] : 0; }

    // Copies the value up to the terminator into dest and steps over the
    // terminator. Bytes past MAX_TEXT_LENGTH are read and dropped.
    void Value(unsigned char terminator, char (&dest)[TEXT_SIZE])
    {
        int size = 0;
        while (position < length && data[position] != terminator) {
            unsigned char byte = data[position++];
            if (byte != 0 && size < MAX_TEXT_LENGTH)
                dest[size++] = static_cast<char>(byte);
        }
        dest[size] = '\0';
        if (position < length)
            ++position;
    }

    void Field(char (&dest)[TEXT_SIZE]) { Value(PAYLOAD_SEPARATOR, dest); }
};

} // namespace

void ParseQuizPayload(const unsigned char* data, uint32_t length, QuizRecord& quiz)
{
    PayloadReader reader = {data, length, 0};
    reader.Byte();
    quiz.layoutKind = static_cast<int32_t>(reader.Byte()) - 1;
    const int payloadQuestions = reader.Byte();
    quiz.questionCount = payloadQuestions < MAX_QUESTIONS ? payloadQuestions : MAX_QUESTIONS;
    quiz.answersPerQuestion = reader.Byte();

    reader.Field(quiz.title);
    reader.Field(quiz.author);
    reader.Field(quiz.explanations);
    reader.Field(quiz.firstAnswerCaption);
    reader.Field(quiz.secondAnswerCaption);

    char answer[TEXT_SIZE];
    char secondAnswer[TEXT_SIZE];
    char questionText[TEXT_SIZE];
    for (int i = 0; i < payloadQuestions; ++i) {
        reader.Field(answer);
        secondAnswer[0] = '\0';
        if (quiz.answersPerQuestion == 2)
            reader.Field(secondAnswer);
        reader.Field(questionText);
        if (i < quiz.questionCount)
            AppendQuestion(quiz, answer, secondAnswer, questionText);
    }

    quiz.revealMode = reader.Byte();
    if (quiz.revealMode == REVEAL_TEXT) {
        char revealText[TEXT_SIZE];
        for (int i = 0; i < payloadQuestions; ++i) {
            reader.Field(revealText);
            QuestionRecord* question = QuestionAt(quiz, i);
            if (i < quiz.questionCount && question)
                CopyText(question->revealText, revealText);
        }
    }

    const uint32_t red = reader.Byte();
    const uint32_t green = reader.Byte();
    const uint32_t blue = reader.Byte();
    quiz.backgroundColour = red | green << 8 | blue << 16;
}

void ParseCodesPayload(const unsigned char* data, uint32_t length, QuizRecord& quiz)
{
    PayloadReader reader = {data, length, 0};
    for (int i = 0; i < quiz.questionCount && i < MAX_QUESTIONS; ++i) {
        reader.Value(CR, quiz.codes[i]);
        reader.Byte(); // the LF after the CR
    }
}

namespace {

bool AppendField(std::vector<unsigned char>& payload, const char* value)
{
    if (strchr(value, PAYLOAD_SEPARATOR))
        return false;
    payload.insert(payload.end(), value, value + strlen(value));
    payload.push_back(PAYLOAD_SEPARATOR);
    return true;
}

bool FitsByte(int32_t value)
{
    return value >= 0 && value <= 255;
}

} // namespace

bool BuildQuizPayload(const QuizRecord& quiz, std::vector<unsigned char>& payload)
{
    payload.clear();
    if (!FitsByte(quiz.layoutKind + 1) || !FitsByte(quiz.answersPerQuestion) ||
        !FitsByte(quiz.revealMode) || quiz.questionCount < 0 || quiz.questionCount > MAX_QUESTIONS)
        return false;
    payload.push_back(0);
    payload.push_back(static_cast<unsigned char>(quiz.layoutKind + 1));
    payload.push_back(static_cast<unsigned char>(quiz.questionCount));
    payload.push_back(static_cast<unsigned char>(quiz.answersPerQuestion));

    bool ok = AppendField(payload, quiz.title) && AppendField(payload, quiz.author) &&
              AppendField(payload, quiz.explanations) &&
              AppendField(payload, quiz.firstAnswerCaption) &&
              AppendField(payload, quiz.secondAnswerCaption);

    const QuestionRecord* question = quiz.firstQuestion;
    for (int i = 0; ok && i < quiz.questionCount; ++i, question = question->next) {
        if (!question)
            return false;
        ok = AppendField(payload, question->answer) &&
             (quiz.answersPerQuestion != 2 || AppendField(payload, question->secondAnswer)) &&
             AppendField(payload, question->questionText);
    }

    payload.push_back(static_cast<unsigned char>(quiz.revealMode));
    question = quiz.firstQuestion;
    for (int i = 0; ok && quiz.revealMode == REVEAL_TEXT && i < quiz.questionCount;
         ++i, question = question->next)
        ok = AppendField(payload, question->revealText);

    payload.push_back(static_cast<unsigned char>(quiz.backgroundColour));
    payload.push_back(static_cast<unsigned char>(quiz.backgroundColour >> 8));
    payload.push_back(static_cast<unsigned char>(quiz.backgroundColour >> 16));
    return ok;
}

bool BuildCodesPayload(const QuizRecord& quiz, std::vector<unsigned char>& payload)
{
    payload.clear();
    for (int i = 0; i < quiz.questionCount && i < MAX_QUESTIONS; ++i) {
        const char* code = quiz.codes[i];
        if (strchr(code, CR))
            return false;
        payload.insert(payload.end(), code, code + strlen(code));
        payload.push_back(CR);
        payload.push_back(LF);
    }
    return true;
}
