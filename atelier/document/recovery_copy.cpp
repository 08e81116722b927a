#include "atelier/document/recovery_copy.h"

#include "authoring/packing/file_set.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* FIRST_LINE = "QUIZZ-RECUPERATION 1";
constexpr const char* LAST_LINE = "FIN";
constexpr const char* EXTENSION = ".recup";

// A value on its line: a title typed with a line break stays one line.
std::string OneLine(std::string value)
{
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return value;
}

bool Number(const std::string& text, unsigned long long& number)
{
    if (text.empty() || text.size() > 20 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    errno = 0;
    number = std::strtoull(text.c_str(), nullptr, 10);
    return errno == 0;
}

// The lines before the source text; false at a line that is no "key=value".
bool ReadHeader(const std::string& text, size_t& position, RecoveryCopy& copy,
                unsigned long long& textSize)
{
    bool process = false, start = false;
    while (position < text.size()) {
        const size_t end = text.find('\n', position);
        if (end == std::string::npos)
            return false;
        const std::string line = text.substr(position, end - position);
        position = end + 1;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            return false;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        unsigned long long number = 0;
        if (key == "processus" && Number(value, number)) {
            copy.processId = static_cast<unsigned long>(number);
            process = true;
        } else if (key == "debut" && Number(value, number)) {
            copy.processStart = number;
            start = true;
        } else if (key == "moment") {
            copy.savedAt = value;
        } else if (key == "titre") {
            copy.title = value;
        } else if (key == "chemin") {
            copy.path = value;
        } else if (key == "dossier") {
            copy.folder = value;
        } else if (key == "nom") {
            copy.nameHint = value;
        } else if (key == "media") {
            copy.media.push_back(value);
        } else if (key == "texte" && Number(value, textSize)) {
            return process && start;
        } else {
            return false;
        }
    }
    return false;
}

} // namespace

RecoveryCopy CopyOfDocument(const QuizDocument& document, unsigned long processId,
                            unsigned long long processStart, const std::string& savedAt)
{
    RecoveryCopy copy;
    copy.processId = processId;
    copy.processStart = processStart;
    copy.savedAt = OneLine(savedAt);
    copy.title = OneLine(document.source.title.value);
    copy.path = OneLine(document.path);
    copy.folder = OneLine(document.folder);
    copy.nameHint = OneLine(document.nameHint);
    const QuizSource& source = document.source;
    auto name = [&](const SourceText& text) {
        if (text.value.empty())
            return;
        const std::string file = OneLine(MediumFile(document.folder, text.value));
        if (std::find(copy.media.begin(), copy.media.end(), file) == copy.media.end())
            copy.media.push_back(file);
    };
    for (const SourceQuestion& question : source.questions)
        for (const SourceText* text :
             {&question.picture, &question.sound, &question.film, &question.revealPicture})
            name(*text);
    name(source.icon);
    copy.sourceText = DocumentText(document);
    return copy;
}

std::string RecoveryCopyName(unsigned long processId, unsigned long long processStart)
{
    return "atelier-" + std::to_string(processId) + "-" + std::to_string(processStart) + EXTENSION;
}

std::string RecoveryCopyText(const RecoveryCopy& copy)
{
    std::string text = std::string(FIRST_LINE) + "\n";
    text += "processus=" + std::to_string(copy.processId) + "\n";
    text += "debut=" + std::to_string(copy.processStart) + "\n";
    text += "moment=" + OneLine(copy.savedAt) + "\n";
    text += "titre=" + OneLine(copy.title) + "\n";
    text += "chemin=" + OneLine(copy.path) + "\n";
    text += "dossier=" + OneLine(copy.folder) + "\n";
    text += "nom=" + OneLine(copy.nameHint) + "\n";
    for (const std::string& medium : copy.media)
        text += "media=" + OneLine(medium) + "\n";
    text += "texte=" + std::to_string(copy.sourceText.size()) + "\n";
    return text + copy.sourceText + "\n" + LAST_LINE + "\n";
}

bool ReadRecoveryCopy(const std::string& text, RecoveryCopy& copy)
{
    const std::string first = std::string(FIRST_LINE) + "\n";
    if (text.compare(0, first.size(), first) != 0)
        return false;
    RecoveryCopy read;
    size_t position = first.size();
    unsigned long long size = 0;
    if (!ReadHeader(text, position, read, size) || size > text.size() - position)
        return false;
    const std::string end = std::string("\n") + LAST_LINE + "\n";
    if (text.compare(position + size, std::string::npos, end) != 0)
        return false;
    read.sourceText = text.substr(position, size);
    copy = std::move(read);
    return true;
}

bool WriteRecoveryCopy(const std::string& folder, const RecoveryCopy& copy, std::string& error)
{
    std::error_code failure;
    fs::create_directories(fs::u8path(folder), failure);
    const std::string text = RecoveryCopyText(copy);
    return ReplaceWholeFile(
        (fs::u8path(folder) / RecoveryCopyName(copy.processId, copy.processStart)).u8string(),
        {text.begin(), text.end()}, error);
}

std::vector<RecoveryCopy> FindRecoveryCopies(const std::string& folder,
                                             const ProcessRunning& running)
{
    std::vector<RecoveryCopy> copies;
    std::error_code failure;
    for (fs::directory_iterator entry(fs::u8path(folder), failure), end; !failure && entry != end;
         entry.increment(failure)) {
        const fs::path& file = entry->path();
        if (file.extension() != EXTENSION || file.filename().u8string().rfind("atelier-", 0) != 0)
            continue;
        std::vector<unsigned char> bytes;
        std::string reason;
        RecoveryCopy copy;
        if (!ReadWholeFile(file.u8string(), bytes, reason) ||
            !ReadRecoveryCopy(std::string(bytes.begin(), bytes.end()), copy) ||
            running(copy.processId, copy.processStart))
            continue;
        copy.file = file.u8string();
        copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.savedAt > b.savedAt; });
    return copies;
}

bool RecoveredDocument(const RecoveryCopy& copy, const std::string& fileText,
                       QuizDocument& document)
{
    const std::string name = copy.path.empty() ? "quiz.toml" : FileName(copy.path);
    std::vector<Problem> problems;
    QuizDocument recovered;
    if (!OpenDocument((fs::u8path(copy.folder) / fs::u8path(name)).u8string(), copy.sourceText,
                      recovered, problems))
        return false;
    recovered.path = copy.path;
    recovered.folder = copy.folder;
    recovered.nameHint = copy.nameHint;
    // Saving over the file keeps it first when the atelier did not write it.
    QuizDocument onDisk;
    recovered.savedText = fileText;
    recovered.handWritten =
        !fileText.empty() &&
        (!OpenDocument(copy.path, fileText, onDisk, problems) || onDisk.handWritten);
    // Nothing of it is saved: closing asks.
    recovered.cleanText.clear();
    document = std::move(recovered);
    return true;
}

std::string FrenchMoment(const std::string& savedAt)
{
    // "2026-12-07 23:40:05"
    if (savedAt.size() < 16 || savedAt[4] != '-' || savedAt[7] != '-' || savedAt[10] != ' ')
        return savedAt;
    return "le " + savedAt.substr(8, 2) + "/" + savedAt.substr(5, 2) + "/" + savedAt.substr(0, 4) +
           u8" à " + savedAt.substr(11, 5);
}
