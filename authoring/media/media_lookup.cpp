#include "authoring/media/media_lookup.h"

#include "authoring/packing/file_set.h"
#include "authoring/source/name_suggestion.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// A folder of thousands of files is searched no further than this.
constexpr size_t MAX_LISTED = 5000;

std::vector<std::string> Listing(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        names.push_back(entry->path().filename().u8string());
        if (names.size() >= MAX_LISTED)
            break;
    }
    return names;
}

} // namespace

std::string NearestExistingPath(const std::string& folder, const std::string& path)
{
    const fs::path relative = fs::u8path(path);
    if (relative.is_absolute() || relative.has_root_name() || relative.has_root_directory())
        return "";
    fs::path current = fs::u8path(folder);
    std::string suggested;
    bool changed = false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        std::string part = path.substr(start, slash - start);
        std::error_code error;
        if (!part.empty() && part != "." && part != ".." &&
            !fs::exists(current / fs::u8path(part), error)) {
            part = NearestName(part, Listing(current));
            if (part.empty())
                return "";
            changed = true;
        }
        suggested += (start ? "/" : "") + part;
        current /= fs::u8path(part);
        start = slash + 1;
    }
    return changed ? suggested : "";
}

MediaReader MediaBesideSource(const std::string& sourcePath)
{
    return [sourcePath](const std::string& path, std::vector<unsigned char>& bytes,
                        std::string& reason) {
        if (ReadWholeFile(BesideFile(sourcePath, path), bytes, reason, MAX_MEDIUM_BYTES,
                          MediumTooLarge()))
            return true;
        const std::string folder = fs::u8path(sourcePath).parent_path().u8string();
        const std::string meant = NearestExistingPath(folder.empty() ? "." : folder, path);
        if (!meant.empty())
            reason += u8" ; vouliez-vous dire " + Quoted(meant) + " ?";
        return false;
    };
}
