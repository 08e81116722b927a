#include "authoring/quiz_resources.h"

#include "authoring/source_check.h"
#include "authoring/source_reader.h"
#include "quiz/lzw.h"
#include "quiz/media_format.h"
#include "quiz/payload.h"

#include <algorithm>
#include <cstdlib>

namespace {

enum class Expected { Picture, Sound, Film };

// Why bytes cannot serve as the expected medium, or "" when they can.
std::string MediumMismatch(const std::vector<unsigned char>& bytes, Expected expected,
                           const std::string& path)
{
    const MediaFormat format = DetectMediaFormat(bytes.data(), bytes.size());
    const std::string what =
        format == MediaFormat::Unknown ? "" : std::string(" (") + MediaFormatName(format) + ")";
    switch (expected) {
    case Expected::Picture:
        if (IsPlayerPicture(format))
            return "";
        if (format == MediaFormat::Png)
            return Quoted(path) + u8" est une image PNG : le lecteur ne montre que les images "
                                  u8"JPEG, GIF et BMP ; convertissez-la, en JPEG par exemple";
        return Quoted(path) + u8" n'est pas une image JPEG, GIF ou BMP" + what +
               u8" : le lecteur ne montrerait rien";
    case Expected::Sound:
        if (format == MediaFormat::Mp3)
            return "";
        return Quoted(path) + u8" n'est pas un son MP3" + what +
               u8" : le lecteur ne joue que le MP3 ; convertissez-le";
    case Expected::Film:
        if (format == MediaFormat::Avi)
            return "";
        return Quoted(path) + u8" n'est pas une vidéo AVI" + what +
               u8" : le lecteur ne joue que l'AVI ; convertissez-la";
    }
    return "";
}

struct Builder {
    const MediaReader& readMedia;
    std::vector<QuizResource>& resources;
    std::vector<Problem>& problems;

    void Medium(const SourceText& path, const std::string& subject, Expected expected, int id)
    {
        if (!path.present)
            return;
        QuizResource resource = {MEDIA_RESOURCE_TYPE, id, {}};
        std::string reason;
        if (path.value.empty()) {
            problems.push_back({path.place, subject, u8"chemin vide : écrivez le nom du fichier"});
            return;
        }
        if (!readMedia(path.value, resource.data, reason)) {
            problems.push_back({path.place, subject, Quoted(path.value) + " : " + reason});
            return;
        }
        // Wine drops empty resources, and no player reads an empty file.
        if (resource.data.empty()) {
            problems.push_back({path.place, subject, Quoted(path.value) + " est vide"});
            return;
        }
        const std::string mismatch = MediumMismatch(resource.data, expected, path.value);
        if (!mismatch.empty()) {
            problems.push_back({path.place, subject, mismatch});
            return;
        }
        resources.push_back(std::move(resource));
    }

    void Payload(const std::vector<unsigned char>& plain, int id, const char* what)
    {
        QuizResource resource = {PAYLOAD_RESOURCE_TYPE, id, {}};
        std::string reason;
        if (CodePayload(plain, resource.data, reason))
            resources.push_back(std::move(resource));
        else
            problems.push_back({{}, "", std::string(what) + " : " + reason});
    }
};

} // namespace

bool CodePayload(const std::vector<unsigned char>& plain, std::vector<unsigned char>& coded,
                 std::string& reason)
{
    coded.clear();
    if (plain.size() > LZW_MAX_INPUT) {
        reason = std::to_string(plain.size()) + u8" octets, le codage en accepte " +
                 std::to_string(LZW_MAX_INPUT) + u8" au plus : raccourcissez des textes";
        return false;
    }
    unsigned char* out = nullptr;
    uint32_t length = 0;
    const int32_t result =
        LzwEncode(plain.data(), static_cast<uint32_t>(plain.size()), &out, &length);
    if (out && result == LZW_OK)
        coded.assign(out, out + length);
    free(out);
    if (result != LZW_OK) {
        reason = result == LZW_ENCODE_REFUSED
                     ? u8"une fois codés, ils passeraient " + std::to_string(LZW_MAX_INPUT) +
                           u8" octets, ce que le lecteur décode au plus : raccourcissez des textes"
                     : u8"le codage a échoué (code " + std::to_string(result) + ")";
        return false;
    }
    // What the player will do with it, so that a codec fault never ships.
    out = nullptr;
    const int32_t decoded =
        LzwDecode(coded.data(), static_cast<uint32_t>(coded.size()), &out, &length);
    const bool same =
        decoded == LZW_OK && length == plain.size() && std::equal(plain.begin(), plain.end(), out);
    free(out);
    if (!same) {
        reason = u8"le décodage ne redonne pas les textes (code " + std::to_string(decoded) +
                 u8") : signalez-le aux développeurs";
        coded.clear();
        return false;
    }
    return true;
}

bool BuildQuizResources(const QuizSource& source, const MediaReader& readMedia,
                        std::vector<QuizResource>& resources, std::vector<Problem>& problems)
{
    resources.clear();
    const size_t before = CountErrors(problems);
    QuizRecord record;
    const bool valid = CheckQuizSource(source, record, problems);
    Builder builder = {readMedia, resources, problems};
    // Without questions (already told) there is no codes payload to code.
    if (valid && !source.questions.empty()) {
        std::vector<unsigned char> quiz;
        std::vector<unsigned char> codes;
        if (!BuildQuizPayload(record, quiz) || !BuildCodesPayload(record, codes))
            problems.push_back({{}, "", u8"le quiz ne s'écrit pas (erreur interne)"});
        builder.Payload(quiz, QUIZ_RESOURCE, "les textes du quiz");
        builder.Payload(codes, CODES_RESOURCE, "les codes");
    }
    static const Expected EXPECTED[4] = {Expected::Picture, Expected::Picture, Expected::Sound,
                                         Expected::Film};
    const int count = static_cast<int>(source.questions.size());
    for (int i = 0; i < count && i < MAX_QUESTIONS && source.layoutKind > LAYOUT_TEXT; ++i)
        builder.Medium(*QuestionMedium(source.questions[i], source.layoutKind),
                       "question " + std::to_string(i + 1) + ", " + MediumKey(source.layoutKind),
                       EXPECTED[source.layoutKind], MEDIA_RESOURCE_BASE + i + 1);
    for (int i = 0; i < count && i < MAX_QUESTIONS && source.revealMode == REVEAL_PICTURE; ++i)
        builder.Medium(source.questions[i].revealPicture,
                       "question " + std::to_string(i + 1) + ", " + KEY_REVEAL_PICTURE,
                       Expected::Picture, REVEAL_PICTURE_RESOURCE_BASE + i + 1);
    SortProblems(problems);
    if (CountErrors(problems) != before) {
        resources.clear();
        return false;
    }
    return true;
}

std::string DescribeQuiz(const QuizSource& source, const std::vector<QuizResource>& resources)
{
    const int count = static_cast<int>(source.questions.size());
    int answers = 1;
    for (const SourceQuestion& question : source.questions)
        if (question.secondAnswer.present)
            answers = 2;
    size_t bytes = 0;
    for (const QuizResource& resource : resources)
        bytes += resource.data.size();
    std::string text = std::to_string(count) + (count > 1 ? " questions" : " question");
    if (source.layoutKind >= 0)
        text += std::string(", disposition ") + Quoted(LAYOUT_NAMES[source.layoutKind]);
    text += answers == 2 ? u8", 2 réponses par question" : u8", 1 réponse par question";
    text += std::string(u8", révélation ") + Quoted(REVEAL_NAMES[source.revealMode]);
    // Codes past the questions are dropped (with a warning).
    const size_t codes = std::min(source.codes.size(), source.questions.size());
    text += ", " + std::to_string(codes) + (codes > 1 ? " codes" : " code");
    text += ", " + std::to_string(resources.size()) + " ressources (" +
            std::to_string((bytes + 1023) / 1024) + " Ko)";
    return text;
}
