#include "quiz/quiz_loading.h"

#include "quiz/demo_quiz.h"
#include "quiz/lzw.h"
#include "quiz/payload.h"
#include "quiz/web_site.h"

#include <cstdlib>

namespace {

// Decodes a payload and hands it to parse; false when it cannot be decoded.
template <typename Parse>
bool DecodeAndParse(const PayloadBytes& payload, QuizRecord& quiz, Parse parse)
{
    unsigned char* decoded = nullptr;
    uint32_t length = 0;
    int32_t result = LzwDecode(payload.data, payload.size, &decoded, &length);
    if (result == LZW_OK)
        parse(decoded, length, quiz);
    free(decoded);
    return result == LZW_OK;
}

} // namespace

QuizLoaded LoadQuizPayloads(const PayloadBytes& quiz, const PayloadBytes& codes,
                            const PayloadBytes& site, QuizRecord& record, LoadMessage tell,
                            void* context)
{
    if (!quiz.found)
        tell("Erreur dans le fichier", context);
    if (quiz.size == 0) {
        tell("Reponses non trouv\351es", context);
        FillDemoQuiz(record);
        return QuizLoaded::Demo;
    }
    if (!DecodeAndParse(quiz, record, ParseQuizPayload)) {
        tell("Erreur dans le d\351cryptage des reponses", context);
        return QuizLoaded::Undecodable;
    }

    if (!codes.found)
        tell("Codes non trouv\351s.", context);
    else if (codes.size == 0)
        tell("Codes non renseign\351s.", context);
    else if (!DecodeAndParse(codes, record, ParseCodesPayload))
        tell("Erreur dans le d\351cryptage des codes", context);

    // Optional, and told to nobody: without a readable address the link
    // keeps the player's own.
    if (site.found)
        ReadWebSite(site.data, site.size, record.webSite);
    return QuizLoaded::Loaded;
}
