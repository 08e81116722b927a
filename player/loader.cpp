#include "player/loader.h"

#include "quiz/message_box.h"
#include "quiz/pupil_results.h"
#include "quiz/quiz_loading.h"
#include "quiz/rules_payload.h"

namespace {

void Tell(const char* text, void*)
{
    ShowMessageBox(text, "Quizz");
}

PayloadBytes Payload(HMODULE module, int id)
{
    const Resource resource = ReadResource(module, id, PAYLOAD_RESOURCE_TYPE);
    return {resource.found, resource.data, resource.size};
}

} // namespace

Resource ReadResource(HMODULE module, int id, const char* type)
{
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!info)
        return {false, nullptr, 0};
    HGLOBAL handle = LoadResource(module, info);
    const void* data = handle ? LockResource(handle) : nullptr;
    return {true, static_cast<const unsigned char*>(data), data ? SizeofResource(module, info) : 0};
}

void LoadQuiz(QuizRecord& quiz)
{
    LoadQuizFrom(GetModuleHandleA(nullptr), quiz);
}

void LoadQuizFrom(HMODULE module, QuizRecord& quiz)
{
    const QuizLoaded loaded =
        LoadQuizPayloads(Payload(module, QUIZ_RESOURCE), Payload(module, CODES_RESOURCE),
                         Payload(module, WEB_SITE_RESOURCE), quiz, Tell, nullptr);
    if (loaded == QuizLoaded::Loaded)
        quiz.backgroundBrush = CreateSolidBrush(quiz.backgroundColour);
}

void LoadRules(QuizRules& rules)
{
    LoadRulesFrom(GetModuleHandleA(nullptr), rules);
}

void LoadRulesFrom(HMODULE module, QuizRules& rules)
{
    const Resource resource = ReadResource(module, RULES_RESOURCE, PAYLOAD_RESOURCE_TYPE);
    ParseRulesPayload(resource.data, resource.size, rules);
}

std::vector<unsigned char> LoadWorkKey()
{
    return LoadWorkKeyFrom(GetModuleHandleA(nullptr));
}

std::vector<unsigned char> LoadWorkKeyFrom(HMODULE module)
{
    const Resource resource = ReadResource(module, WORK_KEY_RESOURCE, PAYLOAD_RESOURCE_TYPE);
    if (!resource.data || resource.size != WORK_KEY_SIZE)
        return {};
    return {resource.data, resource.data + resource.size};
}
