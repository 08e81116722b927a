#include "authoring/commands.h"

#include "authoring/extraction.h"
#include "authoring/file_set.h"
#include "authoring/media/quiz_icon.h"
#include "authoring/source_reader.h"
#include "authoring/source_writer.h"
#include "authoring/starter_quiz.h"

#include <algorithm>
#include <filesystem>

#ifndef QUIZZ_VERSION
#define QUIZZ_VERSION "?"
#endif

namespace {

const char* const HELP = u8R"(quizzpack écrit un quiz dans une copie du lecteur Quizz.

  quizzpack new QUIZ.toml [--layout texte|image|son|video]
      écrit un fichier source commenté, à compléter (et, pour les images,
      sons et vidéos, des fichiers d'exemple dans le dossier medias) ;
      il se construit tel quel.
  quizzpack check QUIZ.toml
      vérifie le fichier source et ses médias, sans rien écrire.
  quizzpack build QUIZ.toml [-o QUIZ.exe] [--player quizz.exe]
      construit le quiz : par défaut QUIZ.exe à côté du fichier source, à
      partir du lecteur quizz.exe placé à côté de quizzpack.
  quizzpack extract QUIZ.exe [-o DOSSIER]
      récrit le fichier source et les médias d'un quiz construit, par
      défaut dans le dossier QUIZ à côté de QUIZ.exe.
  quizzpack --help | --version

Codes de sortie : 0 fait ; 1 le quiz a des erreurs ; 2 erreur d'utilisation
ou de fichier. En cas d'échec, rien n'est écrit ni écrasé.
)";

std::string Errors(size_t count)
{
    return std::to_string(count) + (count > 1 ? " erreurs" : " erreur");
}

bool IsFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::u8path(path), error);
}

MediaReader FilesBeside(const std::string& sourcePath)
{
    return [sourcePath](const std::string& path, std::vector<unsigned char>& bytes,
                        std::string& reason) {
        return ReadWholeFile(BesideFile(sourcePath, path), bytes, reason);
    };
}

struct Runner {
    const PackerPlatform& platform;
    CommandOutput& output;

    int Fail(const std::string& message, int code = EXIT_USAGE)
    {
        output.err += "quizzpack : " + message + "\n";
        return code;
    }

    // Reads and checks a source and its media. Returns EXIT_DONE when
    // resources are ready, else the exit code, the problems told.
    int Prepare(const std::string& path, QuizSource& source, std::vector<QuizResource>& resources)
    {
        std::vector<unsigned char> bytes;
        std::string reason;
        if (!ReadWholeFile(path, bytes, reason))
            return Fail(u8"impossible de lire " + Quoted(path) + " : " + reason);
        std::vector<Problem> problems;
        if (ReadQuizSource(std::string(bytes.begin(), bytes.end()), source, problems))
            BuildQuizResources(source, FilesBeside(path), platform.decodePicture, resources,
                               problems);
        for (const Problem& problem : problems)
            output.err += FormatProblem(path, problem) + "\n";
        const size_t errors = CountErrors(problems);
        if (errors == 0)
            return EXIT_DONE;
        output.err += path + " : " + Errors(errors) + u8", rien n'a été écrit.\n";
        return EXIT_QUIZ_ERRORS;
    }

    int New(const CommandLine& line)
    {
        const int layout = LayoutFromName(line.layout.empty() ? "texte" : line.layout);
        if (layout < 0)
            return Fail(u8"disposition " + Quoted(line.layout) +
                        u8" inconnue : texte, image, son ou video");
        QuizSource source;
        std::vector<MediaFile> media;
        StarterQuiz(layout, source, media);
        const std::string text = WriteQuizSource(source, FileName(line.file));
        std::vector<NewFile> files = {{line.file, {text.begin(), text.end()}}};
        for (const MediaFile& file : media)
            files.push_back({BesideFile(line.file, file.name), file.data});
        std::string error;
        if (!WriteNewFiles(files, error))
            return Fail(error + u8" ; rien n'a été écrit.");
        output.out += Quoted(line.file) + u8" écrit";
        if (!media.empty())
            output.out += ", avec " + std::to_string(media.size()) + u8" fichiers d'exemple dans " +
                          STARTER_MEDIA_FOLDER + "/";
        output.out += u8". Complétez-le, puis : quizzpack build " + line.file + "\n";
        return EXIT_DONE;
    }

    int Check(const CommandLine& line)
    {
        QuizSource source;
        std::vector<QuizResource> resources;
        const int code = Prepare(line.file, source, resources);
        if (code == EXIT_DONE)
            output.out +=
                line.file + " : " + DescribeQuiz(source, resources) + u8" ; prêt à construire.\n";
        return code;
    }

    int Build(const CommandLine& line)
    {
        const std::string target =
            line.output.empty() ? WithExtension(line.file, ".exe") : line.output;
        const std::string player =
            line.player.empty()
                ? (std::filesystem::u8path(platform.toolDirectory) / PLAYER_FILE_NAME).u8string()
                : line.player;
        if (!IsFile(player))
            return Fail(u8"lecteur introuvable : " + Quoted(player) +
                        (line.player.empty() ? u8" ; indiquez-le avec --player" : ""));
        if (IsFile(target) && platform.sameFile(target, player))
            return Fail(u8"la sortie " + Quoted(target) +
                        u8" est le lecteur lui-même, qui ne doit pas changer : choisissez un "
                        u8"autre nom avec -o");
        if (IsFile(target) && IsFile(line.file) && platform.sameFile(target, line.file))
            return Fail(u8"la sortie " + Quoted(target) +
                        u8" est le fichier source : choisissez un autre nom avec -o");

        QuizSource source;
        std::vector<QuizResource> resources;
        const int code = Prepare(line.file, source, resources);
        if (code != EXIT_DONE)
            return code;
        std::string error;
        if (!platform.writePlayer(player, target, resources, error))
            return Fail(u8"impossible d'écrire " + Quoted(target) + " : " + error +
                        u8" ; rien n'a été écrit.");
        output.out += Quoted(target) + u8" écrit : " + DescribeQuiz(source, resources) + ".\n";
        return EXIT_DONE;
    }

    int Extract(const CommandLine& line)
    {
        const std::string folder = line.output.empty() ? WithExtension(line.file, "") : line.output;
        if (!IsFile(line.file))
            return Fail(u8"impossible de lire " + Quoted(line.file) + " : fichier introuvable");
        std::vector<QuizResource> resources;
        std::string error;
        if (!platform.readResources(line.file, resources, error))
            return Fail(u8"impossible de lire les ressources de " + Quoted(line.file) + " : " +
                        error);
        LeaveOutThePlayersIcon(resources);
        QuizSource source;
        std::vector<MediaFile> media;
        if (!ExtractQuizSource(resources, source, media, error))
            return Fail(Quoted(line.file) + " : " + error);

        const std::string name = FileStem(line.file) + ".toml";
        const std::string sourcePath = (std::filesystem::u8path(folder) / name).u8string();
        const std::string text = WriteQuizSource(source, name);
        std::vector<NewFile> files = {{sourcePath, {text.begin(), text.end()}}};
        for (const MediaFile& file : media)
            files.push_back({BesideFile(sourcePath, file.name), file.data});
        if (!WriteNewFiles(files, error))
            return Fail(error + u8" ; rien n'a été écrit (choisissez un autre dossier avec -o).");
        output.out += Quoted(sourcePath) + u8" écrit, avec " + std::to_string(media.size()) +
                      (media.size() > 1 ? u8" médias.\n" : u8" média.\n");
        return Verify(sourcePath, ResourcesInUse(resources, source));
    }

    // A quiz that shows the icon of the player beside quizzpack has none of
    // its own: its source builds the same from that player without one.
    void LeaveOutThePlayersIcon(std::vector<QuizResource>& resources) const
    {
        const std::string player =
            (std::filesystem::u8path(platform.toolDirectory) / PLAYER_FILE_NAME).u8string();
        std::vector<QuizResource> own;
        std::string error;
        if (!IsFile(player) || !platform.readResources(player, own, error))
            return;
        for (const QuizResource& resource : own)
            if (resource.type == ICON_RESOURCE_TYPE)
                resources.erase(std::remove(resources.begin(), resources.end(), resource),
                                resources.end());
    }

    // A rebuild of what extract wrote must give the resources it read.
    int Verify(const std::string& sourcePath, const std::vector<QuizResource>& expected)
    {
        QuizSource source;
        std::vector<QuizResource> rebuilt;
        CommandOutput quiet;
        Runner checker = {platform, quiet};
        if (checker.Prepare(sourcePath, source, rebuilt) != EXIT_DONE) {
            output.err += quiet.err;
            output.err += u8"quizzpack : ce quiz ne se reconstruira pas tel quel ; corrigez "
                          u8"ces erreurs avant de le construire.\n";
            return EXIT_QUIZ_ERRORS;
        }
        if (rebuilt == expected)
            return EXIT_DONE;
        std::string differences;
        for (const QuizResource& resource : expected) {
            bool same = false;
            for (const QuizResource& other : rebuilt)
                same = same || other == resource;
            if (!same)
                differences += " " + resource.type + " " + std::to_string(resource.id);
        }
        output.err += u8"quizzpack : la reconstruction de ce quiz ne redonnera pas à l'octet "
                      u8"près les ressources :" +
                      (differences.empty() ? std::string(" leur liste diffère") : differences) +
                      ".\n";
        return EXIT_QUIZ_ERRORS;
    }
};

bool TakesOption(const std::string& command, const std::string& option)
{
    if (option == "-o")
        return command == "build" || command == "extract";
    if (option == "--player")
        return command == "build";
    return option == "--layout" && command == "new";
}

} // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error)
{
    line = CommandLine();
    if (args.empty()) {
        error = u8"il manque la commande : new, check, build ou extract (quizzpack --help "
                u8"les explique)";
        return false;
    }
    line.command = args[0];
    if (line.command == "-h" || line.command == "/?" || line.command == "help")
        line.command = "--help";
    if (line.command == "-v")
        line.command = "--version";
    const bool known = line.command == "new" || line.command == "check" ||
                       line.command == "build" || line.command == "extract";
    if (line.command == "--help" || line.command == "--version") {
        if (args.size() > 1) {
            error = line.command + u8" s'emploie seul";
            return false;
        }
        return true;
    }
    if (!known) {
        error = u8"commande inconnue " + Quoted(line.command) +
                u8" : new, check, build ou extract (quizzpack --help les explique)";
        return false;
    }
    for (size_t i = 1; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool hasValue = false;
        const size_t equals = arg.find('=');
        if (arg.size() > 1 && arg[0] == '-' && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
            hasValue = true;
        }
        if (arg == "--output")
            arg = "-o";
        if (arg.size() > 1 && arg[0] == '-') {
            if (!TakesOption(line.command, arg)) {
                error = u8"option " + Quoted(arg) + u8" inconnue pour " + line.command +
                        u8" (quizzpack --help)";
                return false;
            }
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    error = u8"il manque la valeur de " + arg;
                    return false;
                }
                value = args[++i];
            }
            std::string& slot = arg == "-o"         ? line.output
                                : arg == "--player" ? line.player
                                                    : line.layout;
            if (!slot.empty()) {
                error = arg + u8" est donné deux fois";
                return false;
            }
            if (value.empty()) {
                error = u8"la valeur de " + arg + u8" est vide";
                return false;
            }
            slot = value;
        } else if (line.file.empty()) {
            line.file = arg;
        } else {
            error = u8"un seul fichier par commande : " + Quoted(arg) + u8" est de trop";
            return false;
        }
    }
    if (line.file.empty()) {
        error = u8"il manque le fichier : quizzpack " + line.command +
                (line.command == "extract" ? " QUIZ.exe" : " QUIZ.toml");
        return false;
    }
    return true;
}

int RunQuizzpack(const std::vector<std::string>& args, const PackerPlatform& platform,
                 CommandOutput& output)
{
    Runner runner = {platform, output};
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(args, line, error))
        return runner.Fail(error);
    if (line.command == "--help") {
        output.out += HELP;
        return EXIT_DONE;
    }
    if (line.command == "--version") {
        output.out += std::string("quizzpack ") + QUIZZ_VERSION + "\n";
        return EXIT_DONE;
    }
    if (line.command == "new")
        return runner.New(line);
    if (line.command == "check")
        return runner.Check(line);
    if (line.command == "build")
        return runner.Build(line);
    return runner.Extract(line);
}
