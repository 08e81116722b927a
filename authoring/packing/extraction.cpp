#include "authoring/packing/extraction.h"

#include "authoring/media/quiz_icon.h"
#include "authoring/packing/kept_source.h"
#include "authoring/source/answer_typing.h"
#include "authoring/source/quiz_field_table.h"
#include "authoring/source/source_reader.h"
#include "quiz/lzw.h"
#include "quiz/media_format.h"
#include "quiz/payload.h"
#include "quiz/rules_payload.h"
#include "quiz/text_encoding.h"
#include "quiz/web_site.h"

#include <cstdlib>
#include <map>

namespace {

bool Decode(const QuizResource& resource, std::vector<unsigned char>& plain)
{
    unsigned char* out = nullptr;
    uint32_t length = 0;
    const int32_t result =
        LzwDecode(resource.data.data(), static_cast<uint32_t>(resource.data.size()), &out, &length);
    if (out && result == LZW_OK)
        plain.assign(out, out + length);
    free(out);
    return result == LZW_OK;
}

SourceText Text(const char* windows1252)
{
    SourceText text;
    text.value = Windows1252ToUtf8(windows1252);
    text.present = true;
    return text;
}

SourceText MediumFile(const QuizResource* resource, int layoutKind, std::vector<MediaFile>& media)
{
    SourceText text;
    if (!resource)
        return text;
    const std::string name = GeneratedMediaName(
        resource->id, layoutKind, DetectMediaFormat(resource->data.data(), resource->data.size()));
    media.push_back({name, resource->data});
    text.value = name;
    text.present = true;
    return text;
}

} // namespace

bool ExtractQuizSource(const std::vector<QuizResource>& resources, QuizSource& source,
                       std::vector<MediaFile>& media, std::string& error)
{
    source = QuizSource();
    media.clear();
    const QuizResource* quizPayload = FindResource(resources, PAYLOAD_RESOURCE_TYPE, QUIZ_RESOURCE);
    if (!quizPayload || quizPayload->data.empty()) {
        error = u8"pas de quiz dedans (ressource PATCH 104 absente) : c'est peut-être le "
                u8"lecteur nu";
        return false;
    }
    std::vector<unsigned char> plain;
    if (!Decode(*quizPayload, plain)) {
        error = u8"quiz illisible : la ressource PATCH 104 ne se décode pas";
        return false;
    }
    QuizRecord record;
    ParseQuizPayload(plain.data(), static_cast<uint32_t>(plain.size()), record);
    if (record.layoutKind < LAYOUT_TEXT || record.layoutKind > LAYOUT_VIDEO ||
        record.revealMode < REVEAL_NONE || record.revealMode > REVEAL_TEXT ||
        record.answersPerQuestion < 1 || record.answersPerQuestion > 2) {
        error = u8"ce quiz a une disposition (" + std::to_string(record.layoutKind) +
                u8"), une révélation (" + std::to_string(record.revealMode) +
                u8") ou un nombre de réponses (" + std::to_string(record.answersPerQuestion) +
                u8") qu'un fichier source ne sait pas écrire";
        return false;
    }
    const QuizResource* codesPayload =
        FindResource(resources, PAYLOAD_RESOURCE_TYPE, CODES_RESOURCE);
    std::vector<unsigned char> codes;
    if (codesPayload && Decode(*codesPayload, codes))
        ParseCodesPayload(codes.data(), static_cast<uint32_t>(codes.size()), record);

    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.packed)
            source.*row.text = Text(record.*row.packed);
    source.layoutKind = record.layoutKind;
    source.revealMode = record.revealMode;
    source.colour = record.backgroundColour;
    // An address the player would not read is none: it is left out.
    if (const QuizResource* site =
            FindResource(resources, PAYLOAD_RESOURCE_TYPE, WEB_SITE_RESOURCE))
        if (ReadWebSite(site->data.data(), static_cast<uint32_t>(site->data.size()),
                        record.webSite))
            source.site = Text(record.webSite);

    // Empty codes at the end are the ones the maker left out.
    int codeCount = record.questionCount;
    while (codeCount > 0 && record.codes[codeCount - 1][0] == '\0')
        --codeCount;
    for (int i = 0; i < codeCount; ++i)
        source.codes.push_back(Text(record.codes[i]));

    int number = 1;
    for (const QuestionRecord* q = record.firstQuestion; q; q = q->next, ++number) {
        SourceQuestion question;
        question.answer = Text(q->answer);
        if (record.answersPerQuestion == 2)
            question.secondAnswer = Text(q->secondAnswer);
        if (record.layoutKind == LAYOUT_TEXT || q->questionText[0])
            question.questionText = Text(q->questionText);
        if (record.revealMode == REVEAL_TEXT)
            question.revealText = Text(q->revealText);
        if (record.layoutKind > LAYOUT_TEXT)
            *QuestionMedium(question, record.layoutKind) = MediumFile(
                FindResource(resources, MEDIA_RESOURCE_TYPE, MEDIA_RESOURCE_BASE + number),
                record.layoutKind, media);
        if (record.revealMode == REVEAL_PICTURE)
            question.revealPicture = MediumFile(
                FindResource(resources, MEDIA_RESOURCE_TYPE, REVEAL_PICTURE_RESOURCE_BASE + number),
                record.layoutKind, media);
        source.questions.push_back(question);
    }
    // Damaged rules are none: the quiz comes back as the player reads it.
    QuizRules rules;
    if (const QuizResource* payload =
            FindResource(resources, PAYLOAD_RESOURCE_TYPE, RULES_RESOURCE))
        if (ParseRulesPayload(payload->data.data(), static_cast<uint32_t>(payload->data.size()),
                              rules))
            SetSourceRules(rules, source);
    source.handIn.value = source.handIn.present =
        FindResource(resources, PAYLOAD_RESOURCE_TYPE, WORK_KEY_RESOURCE) != nullptr;
    if (const QuizResource* icon = FindResource(resources, ICON_RESOURCE_TYPE, APPLICATION_ICON)) {
        media.push_back({ICON_FILE_NAME, icon->data});
        source.icon.value = ICON_FILE_NAME;
        source.icon.present = true;
    }
    return true;
}

std::vector<QuizResource> ResourcesInUse(const std::vector<QuizResource>& resources,
                                         const QuizSource& source)
{
    std::vector<QuizResource> used;
    auto take = [&](const char* type, int id) {
        if (const QuizResource* resource = FindResource(resources, type, id))
            used.push_back(*resource);
    };
    take(PAYLOAD_RESOURCE_TYPE, QUIZ_RESOURCE);
    take(PAYLOAD_RESOURCE_TYPE, CODES_RESOURCE);
    if (source.site.present)
        take(PAYLOAD_RESOURCE_TYPE, WEB_SITE_RESOURCE);
    if (HasAnswerRules(source))
        take(PAYLOAD_RESOURCE_TYPE, RULES_RESOURCE);
    if (source.handIn.value)
        take(PAYLOAD_RESOURCE_TYPE, WORK_KEY_RESOURCE);
    const int count = static_cast<int>(source.questions.size());
    for (int i = 1; i <= count && source.layoutKind > LAYOUT_TEXT; ++i)
        take(MEDIA_RESOURCE_TYPE, MEDIA_RESOURCE_BASE + i);
    for (int i = 1; i <= count && source.revealMode == REVEAL_PICTURE; ++i)
        take(MEDIA_RESOURCE_TYPE, REVEAL_PICTURE_RESOURCE_BASE + i);
    if (source.icon.present)
        take(ICON_RESOURCE_TYPE, APPLICATION_ICON);
    take(PAYLOAD_RESOURCE_TYPE, SOURCE_RESOURCE);
    return used;
}

std::vector<QuizResource> WithAnswersRetyped(const std::vector<QuizResource>& resources)
{
    std::vector<QuizResource> retyped = resources;
    for (QuizResource& resource : retyped) {
        std::vector<unsigned char> plain;
        if (resource.type != PAYLOAD_RESOURCE_TYPE || resource.id != QUIZ_RESOURCE ||
            !Decode(resource, plain))
            continue;
        QuizRecord record;
        ParseQuizPayload(plain.data(), static_cast<uint32_t>(plain.size()), record);
        for (QuestionRecord* q = record.firstQuestion; q; q = q->next)
            for (char* answer : {q->answer, q->secondAnswer}) {
                std::vector<char32_t> unencodable;
                const std::string fixed = Utf8ToWindows1252(
                    FixAnswerTyping(Windows1252ToUtf8(answer)).fixed, unencodable);
                snprintf(answer, TEXT_SIZE, "%s", fixed.c_str());
            }
        std::vector<unsigned char> payload;
        std::string reason;
        if (BuildQuizPayload(record, payload) && CodePayload(payload, resource.data, reason))
            continue;
        resource = QuizResource(); // cannot be rebuilt: matches nothing
    }
    return retyped;
}

bool ExtractWrittenSource(const std::vector<QuizResource>& resources, std::string& text,
                          std::vector<MediaFile>& media, QuizTarget target)
{
    text.clear();
    media.clear();
    const QuizResource* kept = FindResource(resources, PAYLOAD_RESOURCE_TYPE, SOURCE_RESOURCE);
    StoredSource stored;
    if (!kept || !DecodeStoredSource(kept->data.data(), kept->data.size(), stored))
        return false;

    // The files by name; one name is one file, also for Windows, which
    // ignores case.
    std::map<std::string, const QuizResource*> files;
    std::map<std::string, std::string> folded;
    for (const StoredMedium& medium : stored.media) {
        const QuizResource* resource =
            medium.id == KEPT_ICON_ID
                ? FindResource(resources, ICON_RESOURCE_TYPE, APPLICATION_ICON)
                : FindResource(resources, MEDIA_RESOURCE_TYPE, medium.id);
        // A build names every medium with its format's extension, so that no
        // name can be the source's own.
        if (!resource || !ExtensionFits(medium.name, DetectMediaFormat(resource->data.data(),
                                                                       resource->data.size())))
            return false;
        const std::string lower = CaseFolded(medium.name);
        const auto same = folded.find(lower);
        if (same != folded.end() && same->second != medium.name)
            return false;
        folded[lower] = medium.name;
        const auto found = files.find(medium.name);
        if (found != files.end() && found->second->data != resource->data)
            return false;
        files[medium.name] = resource;
    }

    // What it builds must be what the quiz holds.
    QuizSource source;
    std::vector<Problem> problems;
    std::vector<QuizResource> rebuilt;
    auto read = [&files](const std::string& path, std::vector<unsigned char>& bytes,
                         std::string& reason) {
        const auto found = files.find(path);
        if (found == files.end()) {
            reason = "absent";
            return false;
        }
        bytes = found->second->data;
        return true;
    };
    if (!ReadQuizSource(stored.text, source, problems) ||
        !BuildQuizResources(source, read, nullptr, rebuilt, problems, nullptr, target))
        return false;
    AddKeptSource(stored.text, source, rebuilt, problems);
    // An icon of the quiz's own that the kept source does not name came
    // from elsewhere: the source must be written again to give it back.
    if (CountErrors(problems) > 0 || rebuilt != ResourcesInUse(resources, source) ||
        (!source.icon.present && FindResource(resources, ICON_RESOURCE_TYPE, APPLICATION_ICON)))
        return false;

    text = stored.text;
    for (const auto& [name, resource] : files)
        media.push_back({name, resource->data});
    return true;
}
