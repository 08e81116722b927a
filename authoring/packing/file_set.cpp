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
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        reason = u8"lecture interrompue";
        return false;
    }
    return true;
}

bool WriteNewFiles(const std::vector<NewFile>& files, std::string& error)
{
    for (const NewFile& file : files)
        if (Exists(PathOf(file.path))) {
            error = Quoted(file.path) + u8" existe déjà, et quizzpack n'écrase rien";
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
        fs::path temporary = target;
        temporary += ".quizzpack-tmp";
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
            error = Quoted(files[i].path) + u8" vient d'apparaître, et quizzpack n'écrase rien";
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
