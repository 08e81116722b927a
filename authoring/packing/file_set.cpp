#include "authoring/packing/file_set.h"

#include "authoring/source/problem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8)
{
    return fs::u8path(utf8);
}

bool Exists(const fs::path& path)
{
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

// Files are written through descriptors: std::ofstream cannot say "a new
// file only" nor push its bytes to the disk.
int CreateNew(const fs::path& path)
{
#ifdef _WIN32
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

bool WriteAll(int file, const unsigned char* data, size_t size)
{
    while (size > 0) {
        const unsigned piece = static_cast<unsigned>(std::min<size_t>(size, 1u << 30));
#ifdef _WIN32
        const int written = _write(file, data, piece);
#else
        const ssize_t written = write(file, data, piece);
#endif
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// On the disk before the file is renamed into place: otherwise a power cut
// can leave the new name on an empty file, and the old file is gone.
bool FlushAndClose(int file)
{
#ifdef _WIN32
    const bool flushed = _commit(file) == 0;
    return _close(file) == 0 && flushed;
#else
    const bool flushed = fsync(file) == 0;
    return close(file) == 0 && flushed;
#endif
}

int ProcessId()
{
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

constexpr size_t COPY_PIECE = 1 << 20;

// Writes what a file is to hold (its data, or a copy of the file copyOf, a
// piece at a time) into a temporary file beside target, made for this write
// alone: the process and a counter name it, so that two programs saving one
// file never write into the same temporary, and the rename stays within one
// volume. The temporary is on the disk when this returns true; on failure
// nothing is left.
bool WriteTemporary(const fs::path& target, const std::vector<unsigned char>& data,
                    const std::string& copyOf, fs::path& temporary)
{
    static std::atomic<unsigned> counter{0};
    int file = -1;
    for (int attempt = 0; file < 0 && attempt < 100; ++attempt) {
        temporary = target;
        temporary +=
            ".quizz-" + std::to_string(ProcessId()) + "-" + std::to_string(++counter) + ".tmp";
        file = CreateNew(temporary);
        if (file < 0 && errno != EEXIST)
            return false;
    }
    if (file < 0)
        return false;
    bool written = true;
    if (copyOf.empty()) {
        written = WriteAll(file, data.data(), data.size());
    } else {
        std::ifstream in(PathOf(copyOf), std::ios::binary);
        std::vector<unsigned char> piece(COPY_PIECE);
        while (written && in) {
            in.read(reinterpret_cast<char*>(piece.data()),
                    static_cast<std::streamsize>(piece.size()));
            written = WriteAll(file, piece.data(), static_cast<size_t>(in.gcount()));
        }
        written = written && in.eof() && !in.bad();
    }
    if (!FlushAndClose(file) || !written) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace

std::string FrenchSize(uintmax_t bytes)
{
    constexpr uintmax_t KILO = 1024;
    constexpr uintmax_t MEGA = KILO * KILO;
    if (bytes < MEGA)
        return std::to_string((bytes + KILO - 1) / KILO) + " Ko";
    const uintmax_t unit = bytes < MEGA * KILO ? MEGA : MEGA * KILO;
    const uintmax_t tenths = (bytes * 10 + unit / 2) / unit;
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) +
           (unit == MEGA ? " Mo" : " Go");
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes, std::string& reason,
                   uintmax_t maxBytes, const std::string& tooLarge)
{
    bytes.clear();
    const fs::path file = PathOf(path);
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found) {
        reason = "fichier introuvable";
        return false;
    }
    if (status.type() == fs::file_type::directory) {
        reason = u8"c'est un dossier, pas un fichier";
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        reason = "lecture impossible (fichier interdit ou en cours d'utilisation ?)";
        return false;
    }
    auto refuse = [&](uintmax_t size) {
        bytes.clear();
        bytes.shrink_to_fit();
        reason =
            u8"le fichier pèse " + FrenchSize(size) + (tooLarge.empty() ? "" : " ; ") + tooLarge;
        return false;
    };
    // Read at once by its size: byte by byte, a quiz's 90 photos took five
    // times as long under Wine. Too large, it is refused before it is read.
    const uintmax_t size = fs::file_size(file, error);
    if (!error && size > maxBytes)
        return refuse(size);
    bytes.resize(error ? 0 : static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    // A file that grows meanwhile is read to its end, within the limit.
    std::vector<char> piece;
    while (in && in.peek() != std::char_traits<char>::eof()) {
        piece.resize(COPY_PIECE);
        in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const size_t count = static_cast<size_t>(in.gcount());
        if (bytes.size() + count > maxBytes)
            return refuse(bytes.size() + count);
        bytes.insert(bytes.end(), piece.begin(), piece.begin() + count);
    }
    if (in.bad()) {
        reason = u8"lecture interrompue";
        return false;
    }
    return true;
}

bool SameContents(const std::string& first, const std::string& second)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(PathOf(first), error);
    if (error || fs::file_size(PathOf(second), error) != size || error)
        return false;
    std::ifstream a(PathOf(first), std::ios::binary);
    std::ifstream b(PathOf(second), std::ios::binary);
    std::vector<char> pieceA(COPY_PIECE);
    std::vector<char> pieceB(COPY_PIECE);
    while (a && b) {
        a.read(pieceA.data(), static_cast<std::streamsize>(pieceA.size()));
        b.read(pieceB.data(), static_cast<std::streamsize>(pieceB.size()));
        if (a.gcount() != b.gcount() ||
            !std::equal(pieceA.begin(), pieceA.begin() + a.gcount(), pieceB.begin()))
            return false;
    }
    return a.eof() && b.eof() && !a.bad() && !b.bad();
}

bool IsFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(PathOf(path), error);
}

bool IsFolder(const std::string& path)
{
    std::error_code error;
    return fs::is_directory(PathOf(path), error);
}

std::vector<std::string> FilesInFolder(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (fs::directory_iterator entry(PathOf(folder), error), end; !error && entry != end;
         entry.increment(error))
        if (entry->is_regular_file(error))
            files.push_back(entry->path().u8string());
    std::sort(files.begin(), files.end());
    return files;
}

bool PathExists(const std::string& path)
{
    return Exists(PathOf(path));
}

bool WriteNewFiles(const std::vector<NewFile>& files, std::string& error)
{
    for (const NewFile& file : files)
        if (Exists(PathOf(file.path))) {
            error = Quoted(file.path) + u8" existe déjà, et rien n'est écrasé";
            return false;
        }

    std::vector<fs::path> madeFolders;
    std::vector<fs::path> temporaries;
    std::vector<fs::path> placed;
    auto undo = [&] {
        std::error_code ignored;
        for (const fs::path& path : placed)
            fs::remove(path, ignored);
        for (const fs::path& path : temporaries)
            fs::remove(path, ignored);
        for (auto folder = madeFolders.rbegin(); folder != madeFolders.rend(); ++folder)
            fs::remove(*folder, ignored);
        return false;
    };

    for (const NewFile& file : files) {
        const fs::path target = PathOf(file.path);
        fs::path folder = target.parent_path();
        std::vector<fs::path> missing;
        for (; !folder.empty() && !Exists(folder); folder = folder.parent_path())
            missing.push_back(folder);
        std::error_code failure;
        if (!folder.empty() && !fs::is_directory(folder, failure)) {
            error = Quoted(folder.u8string()) + u8" n'est pas un dossier";
            return undo();
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (!fs::create_directory(*it, failure)) {
                error = u8"impossible de créer le dossier " + Quoted(it->u8string());
                return undo();
            }
            madeFolders.push_back(*it);
        }
        fs::path temporary;
        if (!WriteTemporary(target, file.data, file.copyOf, temporary)) {
            error = u8"impossible d'écrire " + Quoted(file.path);
            return undo();
        }
        temporaries.push_back(temporary);
    }
    for (size_t i = 0; i < files.size(); ++i) {
        std::error_code failure;
        const fs::path target = PathOf(files[i].path);
        if (Exists(target)) {
            error = Quoted(files[i].path) + u8" vient d'apparaître, et rien n'est écrasé";
            return undo();
        }
        fs::rename(temporaries[i], target, failure);
        if (failure) {
            error = u8"impossible de mettre en place " + Quoted(files[i].path);
            return undo();
        }
        placed.push_back(target);
    }
    return true;
}

bool ReplaceWholeFile(const std::string& path, const std::vector<unsigned char>& data,
                      std::string& error)
{
    const fs::path target = PathOf(path);
    std::error_code failure;
    if (fs::is_directory(target, failure)) {
        error = Quoted(path) + u8" est un dossier : choisissez un nom de fichier";
        return false;
    }
    fs::path temporary;
    if (!WriteTemporary(target, data, "", temporary)) {
        error = u8"impossible d'écrire " + Quoted(path) +
                u8" : vérifiez que son dossier existe, que vous pouvez y écrire et que le disque "
                u8"n'est pas plein";
        return false;
    }
    // MinGW's libstdc++ moves with MoveFileExW(MOVEFILE_REPLACE_EXISTING):
    // the file replaces an existing one on Windows too.
    fs::rename(temporary, target, failure);
    if (failure) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        error = u8"impossible de remplacer " + Quoted(path) +
                u8" : fermez-le dans le programme qui l'a ouvert, ou ôtez-lui la lecture seule, "
                u8"puis réessayez";
        return false;
    }
    return true;
}

std::string BesideFile(const std::string& file, const std::string& name)
{
    const fs::path relative = PathOf(name);
    if (relative.is_absolute() || relative.has_root_name() || relative.has_root_directory())
        return name;
    return (PathOf(file).parent_path() / relative).u8string();
}

std::string WithExtension(const std::string& file, const std::string& extension)
{
    return PathOf(file).replace_extension(PathOf(extension)).u8string();
}

std::string FileStem(const std::string& file)
{
    return PathOf(file).stem().u8string();
}

std::string FileName(const std::string& file)
{
    return PathOf(file).filename().u8string();
}

std::string LowerExtension(const std::string& file)
{
    std::string extension = PathOf(file).extension().u8string();
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return extension;
}
