#include "authoring/import/media_paths.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Absolute on either system, whichever runs this: a Windows path met on
// Linux must not be taken for a relative one.
bool IsAbsoluteName(const std::string& path)
{
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive || (!path.empty() && path[0] == '/');
}

fs::path FolderOf(const std::string& file)
{
    const fs::path folder = fs::u8path(file).parent_path();
    std::error_code error;
    fs::path full = fs::absolute(folder.empty() ? fs::path(".") : folder, error).lexically_normal();
    // "a/b/" and "a/b" are one folder.
    if (!full.has_filename() && full.has_relative_path())
        full = full.parent_path();
    return full;
}

} // namespace

MovedPath MoveMediaPath(const std::string& path, const std::string& fromFile,
                        const std::string& toFile)
{
    MovedPath moved;
    moved.path = path;
    std::replace(moved.path.begin(), moved.path.end(), '\\', '/');
    moved.slashes = moved.path != path;
    if (moved.path.empty() || IsAbsoluteName(moved.path))
        return moved;
    const fs::path from = FolderOf(fromFile);
    const fs::path to = FolderOf(toFile);
    if (from == to)
        return moved;
    const fs::path target = (from / fs::u8path(moved.path)).lexically_normal();
    const fs::path relative = target.lexically_relative(to);
    moved.moved = true;
    moved.inexpressible = relative.empty();
    moved.path = (moved.inexpressible ? target : relative).generic_u8string();
    return moved;
}
