#include "authoring/packing/quiz_resources.h"

#include "authoring/media/media_conversion.h"
#include "authoring/media/picture_conversion.h"
#include "authoring/media/quiz_icon.h"
#include "authoring/media/stored_picture.h"
#include "authoring/packing/file_set.h"
#include "authoring/source/quiz_field_table.h"
#include "authoring/source/source_check.h"
#include "authoring/source/source_reader.h"
#include "quiz/lzw.h"
#include "quiz/media_format.h"
#include "quiz/payload.h"
#include "quiz/pupil_results.h"
#include "quiz/rules_payload.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>
#include <thread>

namespace {

enum class Expected { Picture, Sound, Film, Icon };

// A sound or film the target does not play (what: its format's name in
// brackets, "" when unknown): what the target plays, and how to convert it
// (to MP3, AVI or MP4) unless it is a picture or a sound given as a film.
// The player's refusal tells of the page when the page plays it. A sound is
// masculine, a film feminine.
std::string UnplayedMedium(const std::string& path, const std::string& what, MediaFormat format,
                           MediaKind kind, QuizTarget target)
{
    const bool sound = kind == MediaKind::Sound;
    const bool page = target == QuizTarget::Page;
    const std::string names = page ? PageMediaNames(kind) : TakenMediaNames(kind);
    std::string text = Quoted(path) + (sound ? u8" n'est pas un son " : u8" n'est pas une vidéo ") +
                       names + what + " : ";
    // A film's sound may be taken out of it; no film is made of a sound.
    const MediaKind formatKind = MediaFormatRow(format).kind;
    if (formatKind == MediaKind::Picture || formatKind == MediaKind::Icon ||
        (!sound && formatKind == MediaKind::Sound))
        return text + (sound ? u8"donnez un son " : u8"donnez une vidéo ") + names;
    const std::string convert = sound ? u8"convertissez-le " : u8"convertissez-la ";
    if (page) {
        // Not a film browsers play, given as a sound.
        if (!IsPlayedOnPage(format, formatKind))
            text += sound ? u8"les navigateurs ne le jouent pas ; "
                          : u8"les navigateurs ne la jouent pas ; ";
        return text + convert + (sound ? TO_MP3 : TO_MP4);
    }
    text += (sound ? u8"le lecteur ne joue que le " : u8"le lecteur ne joue que l'") + names;
    if (IsPlayedOnPage(format, kind))
        text += (sound ? u8", la page web joue ce son (" : u8", la page web joue cette vidéo (") +
                std::string(MAKE_PAGE) + u8") ; pour le lecteur, ";
    else
        text += " ; ";
    return text + convert + (sound ? TO_MP3 : TO_AVI);
}

// Why bytes cannot serve as the expected medium for the target, or "" when
// they can. Pictures and icons are stored for both alike.
std::string MediumMismatch(const std::vector<unsigned char>& bytes, Expected expected,
                           const std::string& path, QuizTarget target)
{
    const MediaFormat format = DetectMediaFormat(bytes.data(), bytes.size());
    const std::string what =
        format == MediaFormat::Unknown ? "" : std::string(" (") + MediaFormatName(format) + ")";
    switch (expected) {
    case Expected::Picture:
        if (IsTaken(format, MediaKind::Picture))
            return "";
        return Quoted(path) + u8" n'est pas une image" + what + u8" : donnez une image " +
               TakenMediaNames(MediaKind::Picture);
    case Expected::Sound:
    case Expected::Film: {
        const MediaKind kind = expected == Expected::Sound ? MediaKind::Sound : MediaKind::Film;
        if (target == QuizTarget::Page ? IsPlayedOnPage(format, kind) : IsTaken(format, kind))
            return "";
        return UnplayedMedium(path, what, format, kind, target);
    }
    case Expected::Icon:
        if (IsTaken(format, MediaKind::Picture) || IsTaken(format, MediaKind::Icon))
            return "";
        return Quoted(path) + u8" n'est pas une image" + what + u8" : donnez une image " +
               TakenMediaNames(MediaKind::Picture) + u8", ou une icône " +
               TakenMediaNames(MediaKind::Icon);
    }
    return "";
}

// What storing the pictures changed, for one notice.
struct PictureChanges {
    int converted = 0;
    int reduced = 0;
    size_t bytesBefore = 0;
    size_t bytesAfter = 0;
};

struct Builder {
    const MediaReader& readMedia;
    const PictureDecoder& decodePicture;
    StoredPictureCache* cache;
    QuizTarget target;
    uint32_t background;
    std::vector<QuizResource>& resources;
    std::vector<Problem>& problems;
    PictureChanges changes;
    // Pictures read but not yet stored, by their place in resources.
    struct Pending {
        size_t resource;
        const SourceText* path;
        std::string subject;
    };
    std::vector<Pending> pictures;

    void Medium(const SourceText& path, const std::string& subject, Expected expected, int id)
    {
        if (!path.present)
            return;
        if (path.value.empty()) {
            problems.push_back({path.place, subject, u8"chemin vide : écrivez le nom du fichier"});
            return;
        }
        QuizResource resource = {MEDIA_RESOURCE_TYPE, id, {}};
        std::string problem;
        // Pictures are read and stored later, together.
        if (expected == Expected::Picture)
            pictures.push_back({resources.size(), &path, subject});
        else if (!Read(path.value, expected, resource.data, problem)) {
            problems.push_back({path.place, subject, problem});
            return;
        }
        resources.push_back(std::move(resource));
    }

    // Reads a medium and checks that it is of the kind expected; false with
    // the problem.
    bool Read(const std::string& path, Expected expected, std::vector<unsigned char>& bytes,
              std::string& problem) const
    {
        std::string reason;
        if (!readMedia(path, bytes, reason))
            problem = Quoted(path) + " : " + reason;
        // Wine drops empty resources, and no player reads an empty file.
        else if (bytes.empty())
            problem = Quoted(path) + " est vide";
        else
            problem = MediumMismatch(bytes, expected, path, target);
        return problem.empty();
    }

    // Reads and stores the pictures, two at a time: decoding a photo takes
    // a tenth of a second, and each may hold a few hundred megabytes while it
    // is reduced, in a 32-bit process. Each file is read by the thread that
    // stores it, so that the originals are never all in memory at once.
    void StorePictures()
    {
        std::vector<StoredPicture> stored(pictures.size());
        std::vector<std::string> failures(pictures.size());
        std::vector<std::string> notes(pictures.size());
        std::vector<size_t> sizes(pictures.size());
        std::atomic<size_t> next{0};
        auto store = [&](size_t i) {
            const SourceText& path = *pictures[i].path;
            std::vector<unsigned char> bytes;
            std::string reason;
            if (!Read(path.value, Expected::Picture, bytes, failures[i]))
                return;
            sizes[i] = bytes.size();
            const bool done =
                cache ? StorePictureCached(*cache, bytes, decodePicture, background, stored[i],
                                           reason)
                      : StorePicture(bytes, decodePicture, background, stored[i], reason);
            if (!done)
                failures[i] = Quoted(path.value) + " : " + reason;
            else if (stored[i].frames > 1)
                notes[i] = Quoted(path.value) + " : " + FramesNote(bytes, stored[i].frames);
        };
        // An exception would end the program from the helper thread: memory
        // running out is that picture's problem.
        auto work = [&] {
            for (size_t i = next++; i < pictures.size(); i = next++) {
                try {
                    store(i);
                } catch (const std::bad_alloc&) {
                    failures[i] = Quoted(pictures[i].path->value) + " : " + OUT_OF_MEMORY;
                }
            }
        };
        std::thread helper(work);
        work();
        helper.join();
        for (size_t i = 0; i < pictures.size(); ++i) {
            if (!failures[i].empty()) {
                problems.push_back({pictures[i].path->place, pictures[i].subject, failures[i]});
                continue;
            }
            if (!notes[i].empty())
                problems.push_back(
                    {pictures[i].path->place, pictures[i].subject, notes[i], Severity::Notice});
            if (stored[i].converted) {
                changes.converted += !stored[i].reduced;
                changes.reduced += stored[i].reduced;
                changes.bytesBefore += sizes[i];
                changes.bytesAfter += stored[i].bytes.size();
            }
            resources[pictures[i].resource].data = std::move(stored[i].bytes);
        }
    }

    // The program's icon, made from a picture or an icon file.
    void Icon(const SourceText& path)
    {
        if (!path.present)
            return;
        if (path.value.empty()) {
            problems.push_back({path.place, KEY_ICON, u8"chemin vide : écrivez le nom du fichier"});
            return;
        }
        std::vector<unsigned char> bytes;
        std::string problem;
        QuizIcon icon;
        if (Read(path.value, Expected::Icon, bytes, problem) &&
            !(cache ? MakeQuizIconCached(*cache, bytes, decodePicture, icon, problem)
                    : MakeQuizIcon(bytes, decodePicture, icon, problem)))
            problem = Quoted(path.value) + " : " + problem;
        if (!problem.empty()) {
            problems.push_back({path.place, KEY_ICON, problem});
            return;
        }
        const int largest = QUIZ_ICON_SIZES[std::size(QUIZ_ICON_SIZES) - 1];
        if (icon.converted && icon.width < largest && icon.height < largest)
            problems.push_back(
                {path.place, KEY_ICON,
                 Quoted(path.value) + u8" ne fait que " + std::to_string(icon.width) + u8" × " +
                     std::to_string(icon.height) + u8" pixels : agrandie à " +
                     std::to_string(largest) +
                     u8" pixels pour les grandes icônes de l'Explorateur, elle y sera floue ; "
                     u8"donnez une image d'au moins " +
                     std::to_string(largest) + u8" pixels de côté",
                 Severity::Warning});
        resources.push_back({ICON_RESOURCE_TYPE, APPLICATION_ICON, std::move(icon.file)});
    }

    // "12 images réduites, 2 converties en JPEG : 6,1 Mo → 210 Ko"
    void TellPictureChanges()
    {
        if (changes.converted + changes.reduced == 0)
            return;
        std::string text;
        if (changes.reduced > 0)
            text = std::to_string(changes.reduced) +
                   (changes.reduced > 1 ? u8" images réduites" : u8" image réduite");
        if (changes.converted > 0)
            text += (text.empty() ? std::to_string(changes.converted) +
                                        (changes.converted > 1 ? " images" : " image")
                                  : ", " + std::to_string(changes.converted)) +
                    (changes.converted > 1 ? " converties" : " convertie") + " en JPEG";
        problems.push_back({{},
                            "",
                            text + " : " + FrenchSize(changes.bytesBefore) + u8" → " +
                                FrenchSize(changes.bytesAfter),
                            Severity::Notice});
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

const QuizResource* FindResource(const std::vector<QuizResource>& resources, const char* type,
                                 int id)
{
    for (const QuizResource& resource : resources)
        if (resource.id == id && resource.type == type)
            return &resource;
    return nullptr;
}

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
                        const PictureDecoder& decodePicture, std::vector<QuizResource>& resources,
                        std::vector<Problem>& problems, StoredPictureCache* cache,
                        QuizTarget target)
{
    resources.clear();
    const size_t before = CountErrors(problems);
    QuizRecord record;
    QuizRules rules;
    const bool valid = CheckQuizSource(source, record, rules, problems);
    Builder builder = {readMedia, decodePicture, cache, target, source.colour,
                       resources, problems,      {},    {}};
    // Without questions (already told) there is no codes payload to code.
    if (valid && !source.questions.empty()) {
        std::vector<unsigned char> quiz;
        std::vector<unsigned char> codes;
        if (!BuildQuizPayload(record, quiz) || !BuildCodesPayload(record, codes))
            problems.push_back({{}, "", u8"le quiz ne s'écrit pas (erreur interne)"});
        builder.Payload(quiz, QUIZ_RESOURCE, "les textes du quiz");
        builder.Payload(codes, CODES_RESOURCE, "les codes");
        const size_t site = strlen(record.webSite);
        if (site > 0)
            resources.push_back(
                {PAYLOAD_RESOURCE_TYPE, WEB_SITE_RESOURCE,
                 std::vector<unsigned char>(record.webSite, record.webSite + site)});
        // Only a quiz with rules carries them: the others stay as they were.
        std::vector<unsigned char> payload;
        if (rules.Any() && !BuildRulesPayload(rules, payload))
            problems.push_back(
                {{}, "", u8"les réponses acceptées ne s'écrivent pas (erreur interne)"});
        if (!payload.empty())
            resources.push_back({PAYLOAD_RESOURCE_TYPE, RULES_RESOURCE, std::move(payload)});
        if (source.handIn.value)
            resources.push_back({PAYLOAD_RESOURCE_TYPE, WORK_KEY_RESOURCE, WorkKey(record.title)});
    }
    static const Expected EXPECTED[4] = {Expected::Picture, Expected::Picture, Expected::Sound,
                                         Expected::Film};
    const int count = static_cast<int>(source.questions.size());
    for (int i = 0; i < count && i < MAX_QUESTIONS && source.layoutKind > LAYOUT_TEXT; ++i)
        builder.Medium(*QuestionMedium(source.questions[i], source.layoutKind),
                       "question " + std::to_string(i + 1) + ", " + MediumKey(source.layoutKind),
                       EXPECTED[source.layoutKind], MEDIA_RESOURCE_BASE + i + 1);
    for (int i = 0; i < count && i < MAX_QUESTIONS && ShownRevealMode(source) == REVEAL_PICTURE;
         ++i)
        builder.Medium(source.questions[i].revealPicture,
                       "question " + std::to_string(i + 1) + ", " + KEY_REVEAL_PICTURE,
                       Expected::Picture, REVEAL_PICTURE_RESOURCE_BASE + i + 1);
    builder.StorePictures();
    builder.TellPictureChanges();
    builder.Icon(source.icon);
    SortProblems(problems);
    if (CountErrors(problems) != before) {
        resources.clear();
        return false;
    }
    return true;
}

std::string MediumTooLarge()
{
    return u8"un quiz ne peut pas porter un média de plus de " +
           std::to_string(MAX_MEDIUM_BYTES >> 20) +
           u8" Mo : raccourcissez-le ou réduisez sa qualité (sa taille, pour une image)";
}

std::string DescribeQuiz(const QuizSource& source, const std::vector<QuizResource>& resources)
{
    const int count = static_cast<int>(source.questions.size());
    const int answers = AnswerCount(source);
    size_t bytes = 0;
    for (const QuizResource& resource : resources)
        bytes += resource.data.size();
    std::string text = std::to_string(count) + (count > 1 ? " questions" : " question");
    if (source.layoutKind >= 0)
        text += std::string(", disposition ") + Quoted(LAYOUT_NAMES[source.layoutKind]);
    text += answers == 2 ? u8", 2 réponses par question" : u8", 1 réponse par question";
    text += std::string(u8", révélation ") + Quoted(REVEAL_NAMES[ShownRevealMode(source)]);
    // Codes past the questions are dropped (with a warning).
    const size_t codes = std::min(source.codes.size(), source.questions.size());
    text += ", " + std::to_string(codes) + (codes > 1 ? " codes" : " code");
    if (source.icon.present)
        text += u8", une icône";
    const std::string rules = RulesOn(SourceRules(source));
    if (!rules.empty())
        text += u8", règles : " + rules;
    if (source.handIn.value)
        text += u8", les élèves rendent leur travail";
    text += ", " + std::to_string(resources.size()) + " ressources (" + FrenchSize(bytes) + ")";
    return text;
}
