// Quiz sources for the authoring tests, native and under Wine, what reading
// and building them reports, and files in a temporary folder.
#pragma once

#include "authoring/media/placeholder_media.h"
#include "authoring/media/stored_picture.h"
#include "authoring/packing/quiz_resources.h"
#include "authoring/source/source_reader.h"
#include "tests/support/test_pictures.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;
using MediaFiles = std::map<std::string, Bytes>;

// A picture the player shows as it is: stored byte for byte.
inline Bytes Jpeg()
{
    static const Bytes jpeg = FitPicture(PlainPicture(8, 8, 0x808080), 1, 0);
    return jpeg;
}

inline std::string Repeat(const std::string& text, int count)
{
    std::string all;
    while (count-- > 0)
        all += text;
    return all;
}

// Reads the media from memory, by their names in the source.
inline MediaReader ReaderOf(const MediaFiles& media)
{
    return [&media](const std::string& path, Bytes& bytes, std::string& reason) {
        const auto found = media.find(path);
        if (found == media.end())
            reason = "fichier introuvable";
        else
            bytes = found->second;
        return found != media.end();
    };
}

// Reads and builds text as quizzpack check does (or page, for the page),
// the media read from memory; the problems as it prints them, one a line.
inline std::string ProblemsOf(const std::string& text, const MediaFiles& media,
                              std::vector<QuizResource>* resources = nullptr,
                              QuizTarget target = QuizTarget::Program)
{
    QuizSource source;
    std::vector<Problem> problems;
    std::vector<QuizResource> unused;
    if (ReadQuizSource(text, source, problems))
        BuildQuizResources(source, ReaderOf(media), DecodeTestPicture,
                           resources ? *resources : unused, problems, nullptr, target);
    std::string lines;
    for (const Problem& problem : problems)
        lines += FormatProblem("q.toml", problem) + "\n";
    return lines;
}

// The lines of ProblemsOf but its notes (what was converted, say).
inline std::string WithoutNotes(const std::string& lines)
{
    std::string kept;
    for (size_t at = 0, end; at < lines.size(); at = end + 1) {
        end = lines.find('\n', at);
        const std::string line = lines.substr(at, end - at + 1);
        if (line.find(": note : ") == std::string::npos)
            kept += line;
    }
    return kept;
}

// A quiz titled "T" in a layout, then its other lines: header, questions.
inline std::string QuizText(const char* layout, const std::string& lines = "")
{
    return std::string("titre = \"T\"\ndisposition = \"") + layout + "\"\n" + lines;
}

// A question as "answer | key=value..." for the keys it has.
inline std::string Described(const SourceQuestion& question)
{
    std::string text = question.answer.value;
    const struct {
        const char* key;
        const SourceText& value;
    } keys[] = {
        {"seconde", question.secondAnswer},
        {"texte", question.questionText},
        {"image", question.picture},
        {"son", question.sound},
        {"video", question.film},
        {"revele", question.revealText},
        {"image_revelee", question.revealPicture},
    };
    for (const auto& key : keys)
        if (key.value.present)
            text += std::string(" | ") + key.key + "=" + key.value.value;
    const struct {
        const char* key;
        const std::vector<SourceText>& values;
    } lists[] = {{"autres", question.otherAnswers}, {"autres2", question.otherSecondAnswers}};
    for (const auto& list : lists)
        for (size_t i = 0; i < list.values.size(); ++i)
            text += (i ? "/" : std::string(" | ") + list.key + "=") + list.values[i].value;
    for (const std::string& comment : question.comments)
        text += " | # " + comment;
    return text;
}

// The media that SOURCES name, and one quiz of each layout and option, with
// the texts that a source file must quote with care (and a web site).
inline const MediaFiles MEDIA = {
    {"a.jpg", Jpeg()},
    {"b.bmp", DiscBitmap(16, 0x0000FF)},
    {"s.mp3", SilentMp3(3)},
    {"f.avi", ColourAvi(8, 6, 2, 0x00FF00)},
    {"logo.png", PngOf(Quarters(256, 256))},
};
inline const char* const SOURCES[] = {
    u8"titre = \"« Capitales » \\\"1\\\" \\\\ 2\"\nauteur = \"l’auteur\"\nexplications = \"5 €\"\n"
    u8"disposition = \"texte\"\ncouleur = \"#FF8000\"\ncodes = [\"UN\", \"\", \"TROIS\"]\n"
    u8"[[question]]\nreponse = \"Paris\"\ntexte = \"France ?\"\n"
    u8"[[question]]\nreponse = \"Rome\"\ntexte = \"\"\n"
    u8"[[question]]\nreponse = \"Oslo\"\ntexte = \"Norvège ?\"\n",
    u8"titre = \"Mangas\"\ndisposition = \"image\"\nrevelation = \"texte\"\nrendre_travail = true\n"
    u8"site = \"https://exemple.fr/mangas?page=1&tri=é\"\n"
    u8"legende_reponse = \"Prénom - Nom\"\nlegende_seconde_reponse = \"Manga / Anime\"\n"
    u8"[[question]]\nreponse = \"Son Goku\"\nseconde_reponse = \"Dragon Ball\"\n"
    u8"image = \"a.jpg\"\ntexte_revele = \"C'est \\\"Œuvre d’Akira Toriyama\\\"\"\n"
    u8"[[question]]\nreponse = \"Naruto\"\nseconde_reponse = \"Naruto\"\nimage = \"b.bmp\"\n"
    u8"texte_revele = \"\"\n",
    u8"titre = \"Formes\"\ndisposition = \"image\"\nrevelation = \"image\"\n"
    u8"[[question]]\nreponse = \"disque\"\nimage = \"a.jpg\"\nimage_revelee = \"b.bmp\"\n"
    u8"[[question]]\nreponse = \"rond\"\nimage = \"b.bmp\"\nimage_revelee = \"a.jpg\"\n",
    u8"titre = \"Notes\"\ndisposition = \"son\"\nicone = \"logo.png\"\n[[question]]\n"
    u8"reponse = \"do\"\nson = \"s.mp3\"\n[[question]]\nreponse = \"ré\"\nson = \"s.mp3\"\n",
    u8"titre = \"Films\"\ndisposition = \"video\"\n[[question]]\nreponse = \"vert\"\n"
    u8"video = \"f.avi\"\n",
};

// A fresh folder under the system's temporary folder, with an accented name
// so that Windows paths go through the wide calls; removed at the end.
struct TempFolder {
    std::string path;
    TempFolder()
    {
        static int count = 0;
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        const auto name = u8"quizzpack é " + std::to_string(now) + "-" + std::to_string(++count);
        const auto folder = std::filesystem::temp_directory_path() / std::filesystem::u8path(name);
        std::filesystem::create_directories(folder);
        path = folder.u8string();
    }
    ~TempFolder() { std::filesystem::remove_all(std::filesystem::u8path(path)); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// Every file under a folder, relative to it, with its size (0 for a folder).
inline std::map<std::string, uintmax_t> Listing(const std::string& folder)
{
    std::map<std::string, uintmax_t> files;
    const auto root = std::filesystem::u8path(folder);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        files[std::filesystem::relative(entry.path(), root).u8string()] =
            entry.is_regular_file() ? entry.file_size() : 0;
    return files;
}

inline std::string LoadFile(const std::string& path)
{
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void SaveFile(const std::string& path, const std::string& content)
{
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << content;
}
inline void SaveFile(const std::string& path, const Bytes& content)
{
    SaveFile(path, std::string(content.begin(), content.end()));
}
