#include "authoring/packing/file_set.h"

#include "authoring/source/problem.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

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

// Where a file is written before it takes its place: beside it, so that the
// move is a rename within one volume.
fs::path TemporaryBeside(const fs::path& target)
{
    fs::path temporary = target;
    temporary += ".quizz-tmp";
    return temporary;
}

bool WriteWholeFile(const fs::path& path, const std::vector<unsigned char>& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes, std::string& reason)
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
    // Read at once by its size: byte by byte, a quiz's 90 photos took five
    // times as long under Wine. A file that grows meanwhile is read to its end.
    const uintmax_t size = fs::file_size(file, error);
    bytes.resize(error ? 0 : static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    bytes.insert(bytes.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        reason = u8"lecture interrompue";
        return false;
    }
    return true;
}

bool IsFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(PathOf(path), error);
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
        const fs::path temporary = TemporaryBeside(target);
        temporaries.push_back(temporary);
        if (!WriteWholeFile(temporary, file.data)) {
            error = u8"impossible d'écrire " + Quoted(file.path);
            return undo();
        }
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
    const fs::path temporary = TemporaryBeside(target);
    std::error_code failure;
    if (fs::is_directory(target, failure)) {
        error = Quoted(path) + u8" est un dossier : choisissez un nom de fichier";
        return false;
    }
    // Only a file of ours is removed again, never a folder that has its name.
    auto removeTemporary = [&temporary] {
        std::error_code ignored;
        if (fs::is_regular_file(temporary, ignored))
            fs::remove(temporary, ignored);
    };
    if (!WriteWholeFile(temporary, data)) {
        removeTemporary();
        error = u8"impossible d'écrire " + Quoted(path) +
                u8" : vérifiez que son dossier existe, que vous pouvez y écrire et que le disque "
                u8"n'est pas plein";
        return false;
    }
    // MinGW's libstdc++ moves with MoveFileExW(MOVEFILE_REPLACE_EXISTING):
    // the file replaces an existing one on Windows too.
    fs::rename(temporary, target, failure);
    if (failure) {
        removeTemporary();
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
