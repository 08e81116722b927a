#include "authoring/packing/kept_source.h"

#include "authoring/media/quiz_icon.h"
#include "authoring/packing/extraction.h"
#include "authoring/source/source_writer.h"
#include "authoring/source/toml_scan.h"
#include "quiz/resource_names.h"
#include "quiz/text_encoding.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

// Names past this length are not worth a suffix: they get generated ones.
constexpr size_t LONGEST_KEPT_NAME = 240;

const SourceText* PathOf(const QuizSource& source, int id)
{
    const bool reveal = id > REVEAL_PICTURE_RESOURCE_BASE;
    const size_t index =
        static_cast<size_t>(id - (reveal ? REVEAL_PICTURE_RESOURCE_BASE : MEDIA_RESOURCE_BASE) - 1);
    if (index >= source.questions.size())
        return nullptr;
    const SourceQuestion& question = source.questions[index];
    return reveal ? &question.revealPicture : QuestionMedium(question, source.layoutKind);
}

} // namespace

std::string CaseFolded(const std::string& name)
{
    std::string folded;
    size_t position = 0;
    char32_t c;
    while (position < name.size()) {
        if (!NextCodePoint(name, position, c)) {
            folded += name[position++];
            continue;
        }
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            c += 0x20;
        AppendUtf8(folded, c);
    }
    return folded;
}

namespace {

// The path from the source's folder, or the file name alone for a path
// that leads out of it.
std::string RelativeName(const std::string& path)
{
    std::vector<std::string> parts;
    bool outside = !path.empty() && path[0] == '/';
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        const std::string part = path.substr(start, slash - start);
        if (part == ".." || (parts.empty() && part.find(':') != std::string::npos))
            outside = true;
        else if (!part.empty() && part != ".")
            parts.push_back(part);
        start = slash + 1;
    }
    if (parts.empty())
        return "";
    if (outside)
        return parts.back();
    std::string name = parts[0];
    for (size_t i = 1; i < parts.size(); ++i)
        name += "/" + parts[i];
    return name;
}

// Where the extension of the name's last part begins, or npos.
size_t ExtensionStart(const std::string& name)
{
    const size_t slash = name.rfind('/');
    const size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot <= fileStart ? std::string::npos : dot;
}

std::string WithFittingExtension(const std::string& name, MediaFormat format)
{
    if (ExtensionFits(name, format))
        return name;
    return name.substr(0, ExtensionStart(name)) + MediaExtension(format);
}

std::string Suffixed(const std::string& name, int number)
{
    const size_t dot = ExtensionStart(name);
    const std::string suffix = "-" + std::to_string(number);
    return dot == std::string::npos ? name + suffix
                                    : name.substr(0, dot) + suffix + name.substr(dot);
}

// Where the value that begins at offset ends, or npos when it is no string.
size_t ValueEnd(const std::string& text, size_t offset)
{
    if (offset >= text.size())
        return std::string::npos;
    for (const char* triple : {"\"\"\"", "'''"})
        if (text.compare(offset, 3, triple) == 0) {
            const size_t close = text.find(triple, offset + 3);
            return close == std::string::npos ? close : close + 3;
        }
    const char quote = text[offset];
    if (quote != '"' && quote != '\'')
        return std::string::npos;
    // Up to the next quote, as a path with backslashes is read.
    const size_t close = text.find_first_of(std::string(1, quote) + "\n", offset + 1);
    return close == std::string::npos || text[close] != quote ? std::string::npos : close + 1;
}

struct Replacement {
    size_t begin;
    size_t end;
    std::string value;
};

} // namespace

bool ExtensionFits(const std::string& name, MediaFormat format)
{
    const size_t dot = ExtensionStart(name);
    return dot != std::string::npos && HasMediaExtension(format, name.substr(dot));
}

std::string GeneratedMediaName(int id, int layoutKind, MediaFormat format)
{
    const bool reveal = id > REVEAL_PICTURE_RESOURCE_BASE;
    const int number = id - (reveal ? REVEAL_PICTURE_RESOURCE_BASE : MEDIA_RESOURCE_BASE);
    const char* prefix = reveal ? "revelation" : MediumKey(layoutKind);
    char name[40];
    snprintf(name, sizeof name, "%s%02d%s", prefix ? prefix : "media", number,
             MediaExtension(format));
    return name;
}

StoredSource KeepSource(const std::string& text, const QuizSource& source,
                        const std::vector<QuizResource>& resources)
{
    StoredSource kept;
    std::vector<Replacement> replacements;
    // Names taken so far, by their case-folded form: the name and its bytes.
    std::map<std::string, std::pair<std::string, const std::vector<unsigned char>*>> taken;
    for (const QuizResource& resource : resources) {
        const bool icon = resource.type == ICON_RESOURCE_TYPE;
        const SourceText* path = resource.type == MEDIA_RESOURCE_TYPE ? PathOf(source, resource.id)
                                 : icon && source.icon.present        ? &source.icon
                                                                      : nullptr;
        if (!path)
            continue;
        const MediaFormat format = DetectMediaFormat(resource.data.data(), resource.data.size());
        std::string base = WithFittingExtension(RelativeName(path->value), format);
        if (!IsSafeMediaName(base) || base.size() > LONGEST_KEPT_NAME)
            base =
                icon ? ICON_FILE_NAME : GeneratedMediaName(resource.id, source.layoutKind, format);
        std::string name = base;
        for (int number = 2;; ++number) {
            const auto found = taken.find(CaseFolded(name));
            if (found == taken.end()) {
                taken[CaseFolded(name)] = {name, &resource.data};
                break;
            }
            if (*found->second.second == resource.data) {
                name = found->second.first;
                break;
            }
            name = Suffixed(base, number);
        }
        kept.media.push_back({icon ? KEPT_ICON_ID : resource.id, name});
        if (name == path->value)
            continue;
        const size_t begin = OffsetOfPlace(text, path->place);
        const size_t end = begin == std::string::npos ? begin : ValueEnd(text, begin);
        if (end != std::string::npos)
            replacements.push_back({begin, end, TomlString(name)});
    }
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement& a, const Replacement& b) { return a.begin > b.begin; });
    kept.text = text;
    for (const Replacement& replacement : replacements)
        kept.text.replace(replacement.begin, replacement.end - replacement.begin,
                          replacement.value);
    return kept;
}

void AddKeptSource(const std::string& text, const QuizSource& source,
                   std::vector<QuizResource>& resources, std::vector<Problem>& problems)
{
    QuizResource resource = {PAYLOAD_RESOURCE_TYPE, SOURCE_RESOURCE, {}};
    if (text.size() <= MAX_STORED_TEXT &&
        EncodeStoredSource(KeepSource(text, source, resources), resource.data)) {
        resources.push_back(std::move(resource));
        return;
    }
    problems.push_back({{},
                        "",
                        u8"le fichier source passe 1 Mo : il n'est pas gardé dans le quiz, et "
                        u8"extract en récrira un sans ses commentaires",
                        Severity::Notice});
}
