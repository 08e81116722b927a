#include "atelier/document/document_saving.h"

#include "authoring/packing/file_set.h"
#include "authoring/packing/kept_source.h"
#include "quiz/quiz_record.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

// "chat.jpg", then "chat-2.jpg", "chat-3.jpg"...
std::string Numbered(const std::string& name, int number)
{
    if (number < 2)
        return name;
    const fs::path path = fs::u8path(name);
    return path.stem().u8string() + "-" + std::to_string(number) + path.extension().u8string();
}

// The copies into the media folder that saving makes, and the names the
// source gives the media after it.
struct MediaCopies {
    std::string targetFolder;
    std::string oldFolder;
    std::vector<NewFile> files;
    std::map<std::string, std::string> nameOf; // by the file copied
    std::set<std::string> taken;               // names given, folded as Windows compares them

    // The value that the medium takes in the saved source.
    std::string Place(const std::string& value)
    {
        std::string file = MediumFile(oldFolder, value);
        std::string there = MediumValue(targetFolder, file);
        if (IsRelativeValue(there))
            return there;
        const auto known = nameOf.find(file);
        if (known != nameOf.end())
            return known->second;
        // Copied and compared a piece at a time: a quiz's films are never
        // all in memory at once.
        if (!IsFile(file) || !std::ifstream(fs::u8path(file), std::ios::binary))
            return file;
        const std::string name = fs::u8path(file).filename().u8string();
        for (int number = 1;; ++number) {
            std::string candidate = std::string(MEDIA_FOLDER) + "/" + Numbered(name, number);
            if (taken.count(CaseFolded(candidate)))
                continue;
            const fs::path destination = fs::u8path(targetFolder) / fs::u8path(candidate);
            if (PathExists(destination.u8string())) {
                if (!SameContents(file, destination.u8string()))
                    continue;
            } else {
                files.push_back({destination.u8string(), {}, file});
            }
            taken.insert(CaseFolded(candidate));
            nameOf[file] = candidate;
            return candidate;
        }
    }
};

// Every medium the source may name: those that apply are placed in the new
// folder, the others (kept for a change of layout) made absolute so that
// they still find their file from there.
void PlaceMedia(QuizSource& source, MediaCopies& copies, bool sameFolder)
{
    auto place = [&](SourceText& text, bool applies) {
        if (text.value.empty())
            return;
        if (applies)
            text.value = copies.Place(text.value);
        else if (!sameFolder)
            text.value = MediumFile(copies.oldFolder, text.value);
    };
    const bool revealPictures = ShownRevealMode(source) == REVEAL_PICTURE;
    for (SourceQuestion& question : source.questions) {
        place(question.picture, source.layoutKind == LAYOUT_PICTURE);
        place(question.sound, source.layoutKind == LAYOUT_AUDIO);
        place(question.film, source.layoutKind == LAYOUT_VIDEO);
        place(question.revealPicture, revealPictures);
    }
    place(source.icon, true);
}

void RemovePlaced(const std::vector<NewFile>& files, const fs::path& mediaFolder, bool madeFolder)
{
    std::error_code ignored;
    for (const NewFile& file : files)
        fs::remove(fs::u8path(file.path), ignored);
    if (madeFolder)
        fs::remove(mediaFolder, ignored);
}

} // namespace

std::string KeptCopyPath(const std::string& path)
{
    const fs::path file = fs::u8path(path);
    const std::string stem = file.stem().u8string();
    const std::string extension = file.extension().u8string();
    for (int number = 1;; ++number) {
        std::string name = stem;
        name += number < 2 ? " (original)" : " (original " + std::to_string(number) + ")";
        name += extension;
        const fs::path copy = file.parent_path() / fs::u8path(name);
        if (!PathExists(copy.u8string()))
            return copy.u8string();
    }
}

bool SaveDocument(QuizDocument& document, const std::string& target, SaveReport& report,
                  std::string& error)
{
    report = SaveReport();
    QuizDocument saved = document;
    saved.path = target;
    saved.folder = fs::u8path(target).parent_path().u8string();
    MediaCopies copies;
    copies.targetFolder = saved.folder;
    copies.oldFolder = document.folder;
    const bool sameFolder = MediumFile(document.folder, ".") == MediumFile(saved.folder, ".");
    PlaceMedia(saved.source, copies, sameFolder);
    const std::string text = DocumentText(saved);

    const fs::path mediaFolder = fs::u8path(saved.folder) / MEDIA_FOLDER;
    const bool madeFolder = !copies.files.empty() && !PathExists(mediaFolder.u8string());
    if (!copies.files.empty() && !WriteNewFiles(copies.files, error))
        return false;
    // Written over by the atelier for the first time: the teacher's own
    // comments would go, so the file is kept as it was.
    std::string keptCopy;
    if (document.handWritten && !document.path.empty() &&
        MediumFile(".", document.path) == MediumFile(".", target) && PathExists(target)) {
        keptCopy = KeptCopyPath(target);
        if (!WriteNewFiles({{keptCopy, {document.savedText.begin(), document.savedText.end()}}},
                           error)) {
            RemovePlaced(copies.files, mediaFolder, madeFolder);
            return false;
        }
    }
    if (!ReplaceWholeFile(target, {text.begin(), text.end()}, error)) {
        RemovePlaced(copies.files, mediaFolder, madeFolder);
        if (!keptCopy.empty()) {
            std::error_code ignored;
            fs::remove(fs::u8path(keptCopy), ignored);
        }
        return false;
    }
    saved.savedText = text;
    saved.cleanText = text;
    saved.handWritten = false;
    saved.nameHint.clear();
    document = std::move(saved);
    report.copiedMedia = static_cast<int>(copies.files.size());
    report.keptCopy = keptCopy;
    return true;
}
