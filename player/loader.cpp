#include "player/loader.h"

#include "quiz/demo_quiz.h"
#include "quiz/lzw.h"
#include "quiz/message_box.h"
#include "quiz/payload.h"
#include "quiz/rules_payload.h"
#include "quiz/web_site.h"

#include <cstdlib>

namespace {

constexpr const char* LOADER_CAPTION = "Quizz";

void Tell(const char* text)
{
    ShowMessageBox(text, LOADER_CAPTION);
}

// Decodes a payload and hands it to parse; false when it cannot be decoded.
template <typename Parse>
bool DecodeAndParse(const Resource& resource, QuizRecord& quiz, Parse parse)
{
    unsigned char* decoded = nullptr;
    uint32_t length = 0;
    int32_t result = LzwDecode(resource.data, resource.size, &decoded, &length);
    if (result == LZW_OK)
        parse(decoded, length, quiz);
    free(decoded);
    return result == LZW_OK;
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
    Resource questions = ReadResource(module, QUIZ_RESOURCE, PAYLOAD_RESOURCE_TYPE);
    if (!questions.found)
        Tell("Erreur dans le fichier");
    if (questions.size == 0) {
        Tell("Reponses non trouvées");
        FillDemoQuiz(quiz);
        return;
    }
    if (!DecodeAndParse(questions, quiz, ParseQuizPayload)) {
        Tell("Erreur dans le décryptage des reponses");
        return;
    }
    quiz.backgroundBrush = CreateSolidBrush(quiz.backgroundColour);

    Resource codes = ReadResource(module, CODES_RESOURCE, PAYLOAD_RESOURCE_TYPE);
    if (!codes.found)
        Tell("Codes non trouvés.");
    else if (codes.size == 0)
        Tell("Codes non renseignés.");
    else if (!DecodeAndParse(codes, quiz, ParseCodesPayload))
        Tell("Erreur dans le décryptage des codes");

    // Optional, and told to nobody: without a readable address the link
    // keeps the player's own.
    Resource site = ReadResource(module, WEB_SITE_RESOURCE, PAYLOAD_RESOURCE_TYPE);
    if (site.found)
        ReadWebSite(site.data, site.size, quiz.webSite);
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
