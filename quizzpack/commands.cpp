#include "quizzpack/commands.h"

#include "authoring/import/import_report.h"
#include "authoring/media/media_lookup.h"
#include "authoring/packing/extraction.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/program_extraction.h"
#include "authoring/packing/quiz_build.h"
#include "authoring/packing/quiz_page.h"
#include "authoring/results/class_results.h"
#include "authoring/results/french_figures.h"
#include "authoring/results/results_page.h"
#include "authoring/results/results_spreadsheet.h"
#include "authoring/source/answer_trial.h"
#include "authoring/source/source_check.h"
#include "authoring/source/source_reader.h"
#include "authoring/source/source_writer.h"
#include "authoring/source/starter_quiz.h"

#include <algorithm>
#include <new>

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
  quizzpack page QUIZ.toml|QUIZ.exe [-o QUIZ.html]
      fait du quiz une page web, un seul fichier qui se joue dans tout
      navigateur (ordinateur, tablette, téléphone), sans réseau ; par
      défaut QUIZ.html à côté du fichier donné.
  quizzpack extract QUIZ.exe|QUIZ.html [-o DOSSIER]
      récrit le fichier source et les médias d'un quiz construit ou d'une
      page, par défaut dans le dossier QUIZ à côté (ou QUIZ-2...).
  quizzpack importer FICHIER [-o QUIZ.toml] [--disposition DISPOSITION]
                     [--feuille NOM]
      écrit un fichier source à partir d'un tableau (classeur .xlsx ou
      .ods, ou enregistré en CSV ou TSV) dont la première ligne nomme les
      colonnes (Question, Réponse, Autres réponses, Seconde réponse, Image,
      Son, Vidéo, Texte révélé, Image révélée), ou des questions à réponse
      courte d'une banque Moodle (Moodle XML ou GIFT) ; par défaut
      FICHIER.toml à côté de lui. La disposition (texte, image, son
      ou video) suit les colonnes, sauf si --disposition la donne. Il dit
      ce qui n'a pas été repris et ce qui reste à faire.
  quizzpack essai QUIZ.toml [N RÉPONSE]
      donne le verdict du lecteur pour RÉPONSE tapée à la question N (N:2
      pour sa seconde case), et dit si la révélation s'afficherait. Sans N,
      essaie une réponse par ligne, « N RÉPONSE », tapée ou lue d'un fichier :
      quizzpack essai QUIZ.toml < reponses.txt
  quizzpack bilan QUIZ.toml|QUIZ.exe|QUIZ.html DOSSIER|FICHIER... [-o NOM]
      fait le bilan de la classe à partir des travaux rendus par les élèves
      (les fichiers du dossier, ou les fichiers donnés) : il dit les
      fichiers mis de côté, résume la classe et écrit bilan.html (à
      imprimer) et bilan.csv (pour un tableur) dans le dossier.
  quizzpack --help | --version
  quizzpack COMMANDE --help
      explique une commande.

Codes de sortie : 0 fait ; 1 le quiz a des erreurs (pour importer : le
fichier source est écrit, mais ses erreurs sont à corriger avant build) ;
2 erreur d'utilisation ou de fichier. En cas d'échec, rien n'est écrit ni
écrasé.
)";

// Each command's own help: "quizzpack new --help".
const struct {
    const char* command;
    const char* help;
} COMMAND_HELP[] = {
    {"new", u8R"(quizzpack new QUIZ.toml [--layout texte|image|son|video]

Écrit un fichier source commenté, à compléter : ses commentaires (ce qui
suit un #) expliquent chaque clé. Pour les dispositions image, son et video,
trois médias d'exemple sont écrits dans le dossier medias. Ce quiz se
construit tel quel. new n'écrase aucun fichier : choisissez un nom nouveau.

  --layout D   la disposition : texte (par défaut), image, son ou video.
)"},
    {"check", u8R"(quizzpack check QUIZ.toml

Vérifie le fichier source et ses médias sans rien écrire, et dit tous les
problèmes d'un coup, chacun avec sa ligne, sa colonne, sa clé et la façon
de le corriger :
  (erreur)      le quiz ne se construit pas tant qu'elle reste ;
  attention :   le quiz se construit, mais pas comme vous le pensiez sans
                doute (un texte que le lecteur ne montre pas, des codes en
                trop) ;
  note :        le quiz se construit après un changement à connaître (un
                chemin écrit avec des \, lu avec des /).
Sans erreur, check résume le quiz et finit par « prêt à construire ».
)"},
    {"build", u8R"(quizzpack build QUIZ.toml [-o QUIZ.exe] [--player quizz.exe]

Vérifie le quiz comme check, puis l'écrit avec ses médias dans une copie du
lecteur. Le fichier source y est gardé tel qu'il est écrit, commentaires
compris, pour que extract le redonne.

  -o QUIZ.exe          le quiz construit (par défaut, à côté du fichier
                       source et du même nom) ;
  --player quizz.exe   le lecteur à copier (par défaut, le quizz.exe placé
                       à côté de quizzpack).

Un quiz construit du même nom n'est remplacé qu'une fois le nouveau complet ;
le lecteur ne change jamais.
)"},
    {"page", u8R"(quizzpack page QUIZ.toml|QUIZ.exe [-o QUIZ.html]

Fait du quiz une page web : un seul fichier qui porte tout le quiz (textes,
réponses, codes, images, sons, vidéos) et se joue dans tout navigateur
récent, sur un ordinateur, une tablette ou un téléphone, sans réseau ni
compte ; les verdicts y sont ceux du lecteur. Déposez-la sur l'ENT, envoyez-la
par courriel ou copiez-la sur une clé USB. Les réponses des élèves restent
dans leur navigateur.

Depuis un fichier source, page vérifie le quiz comme check ; la page joue
aussi les sons WAV, M4A et Ogg et les vidéos MP4 et WebM. Depuis un quiz
construit (QUIZ.exe), elle en reprend tout, sauf les vidéos AVI, que les
navigateurs ne jouent pas.

  -o QUIZ.html   la page (par défaut, à côté du fichier donné et du même
                 nom).

La page est écrite depuis la page vide quizz.html placée à côté de
quizzpack ; une page du même nom n'est remplacée qu'une fois la nouvelle
complète. extract redonne le fichier source d'une page.
)"},
    {"extract", u8R"(quizzpack extract QUIZ.exe|QUIZ.html [-o DOSSIER]

Récrit le fichier source d'un quiz construit ou d'une page et ses médias, puis vérifie
qu'ils redonnent le même quiz à l'octet près. Un quiz construit avec cette
version de quizzpack redonne son fichier source tel qu'il était écrit,
commentaires compris, et ses médias sous leurs noms ; un quiz plus ancien,
un fichier source récrit et des médias nommés image01.jpg, son01.mp3...

  -o DOSSIER   le dossier où écrire (par défaut, QUIZ à côté de QUIZ.exe,
               ou QUIZ-2, QUIZ-3... quand il existe déjà).

extract n'écrase aucun fichier.
)"},
    {"importer", u8R"(quizzpack importer FICHIER [-o QUIZ.toml] [--disposition DISPOSITION]
                   [--feuille NOM]

Écrit un fichier source à partir d'un tableau : un classeur Excel (.xlsx)
ou LibreOffice (.ods), ou un tableau enregistré en CSV ou en TSV
(séparateur et encodage trouvés seuls), dont la première ligne nomme les
colonnes : Question, Réponse, Autres réponses (plusieurs dans une cellule,
séparées par | ou ;), Seconde réponse, Autres secondes réponses, Image,
Son, Vidéo, Texte révélé, Image révélée ; une autre colonne est gardée en
commentaire sous chaque question. Ou des questions à réponse courte d'une
banque Moodle, exportée au format Moodle XML (ses images jointes sont
écrites dans le dossier images à côté du fichier source) ou GIFT : leurs
réponses à 100 % deviennent des autres réponses. importer dit ce qu'il a
laissé de côté ou changé, vérifie le résultat comme check et dit ce qui
reste à faire.

  -o QUIZ.toml      le fichier source (par défaut, FICHIER.toml à côté du
                    tableau ; jamais un fichier qui existe) ;
  --disposition D   texte, image, son ou video (par défaut, d'après les
                    colonnes) ;
  --feuille NOM     la feuille du classeur à lire, par son nom tel que
                    l'onglet le montre (par défaut, la première).

Le code de sortie 1 dit ici que le fichier est écrit, avec des erreurs à
corriger avant build.
)"},
    {"essai", u8R"(quizzpack essai QUIZ.toml [N RÉPONSE]

Donne le verdict que le lecteur donnerait à RÉPONSE tapée à la question N
(N:2 pour sa seconde case), et dit si la révélation s'afficherait. Sans N,
essaie une réponse par ligne, « N RÉPONSE », tapée (Ctrl+Z puis Entrée pour
finir) ou lue d'un fichier :
  quizzpack essai QUIZ.toml < reponses.txt
)"},
    {"bilan", u8R"(quizzpack bilan QUIZ.toml|QUIZ.exe|QUIZ.html DOSSIER|FICHIER... [-o NOM]

Fait le bilan de la classe : lit les travaux rendus par les élèves (les
fichiers « titre - nom.txt » ou les textes collés depuis un message, même
plusieurs dans un fichier), les note de nouveau avec les réponses et les
règles du quiz tel qu'il est aujourd'hui, et dit en une ligne chaque
fichier mis de côté ou à vérifier (le travail d'un autre quiz, un fichier
abîmé, un élève qui a rendu deux fois, un travail modifié à la main). Il
résume la classe (élèves comptés, moyenne, réussite de chaque question) et
écrit :
  bilan.html   une page à ouvrir dans un navigateur et à imprimer : le
               tableau élève par question, aux couleurs du lecteur, les
               réponses fausses les plus fréquentes et deux graphiques ;
  bilan.csv    le même tableau pour Excel ou LibreOffice.

QUIZ est le fichier source du quiz, ou le quiz construit, ou sa page. D'un
DOSSIER, bilan lit les fichiers (pas ceux de ses sous-dossiers) et écrit le
bilan dedans ; de FICHIERS, à côté du premier.

  -o NOM   écrire NOM.html et NOM.csv (par défaut, bilan.html et bilan.csv).

Le bilan remplace celui d'avant, et n'est remplacé qu'une fois le nouveau
complet. Les fichiers des élèves ne changent jamais.
)"},
};

std::string CommandHelp(const std::string& command)
{
    for (const auto& entry : COMMAND_HELP)
        if (command == entry.command)
            return std::string(entry.help) +
                   u8"\nCodes de sortie : 0 fait ; 1 le quiz a des erreurs ; 2 erreur "
                   u8"d'utilisation ou de fichier.\n";
    return HELP;
}

bool IsHelpOption(const std::string& arg)
{
    return arg == "--help" || arg == "-h" || arg == "/?";
}

std::string Errors(size_t count)
{
    return std::to_string(count) + (count > 1 ? " erreurs" : " erreur");
}

// A source's text checked as a build would pack it, without its media, which
// no grading needs. Returns EXIT_DONE with the record and its rules filled,
// else the exit code, the problems told, and then what the teacher wanted:
// "avant d'y essayer des réponses".
int CheckedQuizRecord(const std::string& path, const std::string& text, QuizRecord& record,
                      QuizRules& rules, CommandOutput& output, const char* before)
{
    QuizSource source;
    std::vector<Problem> problems;
    if (ReadQuizSource(text, source, problems))
        CheckQuizSource(source, record, rules, problems);
    SortProblems(problems);
    for (const Problem& problem : problems)
        output.err += FormatProblem(path, problem) + "\n";
    const size_t errors = CountErrors(problems);
    if (errors == 0)
        return EXIT_DONE;
    output.err += path + " : " + Errors(errors) + u8" ; corrigez le quiz " + before + ".\n";
    return EXIT_QUIZ_ERRORS;
}

int ReadQuizRecord(const std::string& path, QuizRecord& record, QuizRules& rules,
                   CommandOutput& output, const char* before)
{
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!ReadWholeFile(path, bytes, reason)) {
        output.err += u8"quizzpack : impossible de lire " + Quoted(path) + " : " + reason + "\n";
        return EXIT_USAGE;
    }
    return CheckedQuizRecord(path, std::string(bytes.begin(), bytes.end()), record, rules, output,
                             before);
}

// A pupil's work is a few kilobytes (a block pasted in a message, a little
// more): a larger file is something else, not read.
constexpr uintmax_t MAX_WORK_BYTES = 256 * 1024;

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
    int Prepare(const std::string& path, QuizSource& source, std::vector<QuizResource>& resources,
                QuizTarget target = QuizTarget::Program)
    {
        std::vector<unsigned char> bytes;
        std::string reason;
        if (!ReadWholeFile(path, bytes, reason))
            return Fail(u8"impossible de lire " + Quoted(path) + " : " + reason);
        std::vector<Problem> problems;
        const bool built =
            BuildQuizFromText(std::string(bytes.begin(), bytes.end()), MediaBesideSource(path),
                              platform.decodePicture, source, resources, problems, nullptr, target);
        for (const Problem& problem : problems)
            output.err += FormatProblem(path, problem) + "\n";
        if (built)
            return EXIT_DONE;
        output.err += path + " : " + Errors(CountErrors(problems)) + u8", rien n'a été écrit.\n";
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
            line.player.empty() ? DefaultPlayer(platform.toolDirectory) : line.player;
        if (!IsFile(player))
            return Fail(u8"lecteur introuvable : " + Quoted(player) +
                        (line.player.empty() ? u8" ; indiquez-le avec --player" : ""));
        const std::string conflict = OutputConflict(target, player, line.file, platform.sameFile);
        if (!conflict.empty())
            return Fail(conflict + u8" : choisissez un autre nom avec -o");

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

    // From a source, as build does; from a quiz program, through its source
    // recovered in memory, so that the page keeps it as the program does and
    // both extract to the same source.
    int Page(const CommandLine& line)
    {
        const std::string target =
            line.output.empty() ? WithExtension(line.file, ".html") : line.output;
        const std::string emptyPage = DefaultPage(platform.toolDirectory);
        std::vector<unsigned char> empty;
        std::string error;
        if (!ReadWholeFile(emptyPage, empty, error))
            return Fail(u8"page vide introuvable : " + Quoted(emptyPage) +
                        u8" ; elle s'installe avec quizzpack, réinstallez Quizz");
        const std::string conflict =
            OutputConflict(target, emptyPage, line.file, platform.sameFile);
        if (!conflict.empty())
            return Fail(conflict + u8" : choisissez un autre nom avec -o");

        QuizSource source;
        std::vector<QuizResource> resources;
        if (IsPageName(line.file) || LowerExtension(line.file) == ".exe") {
            const int code = FromProgram(line.file, source, resources);
            if (code != EXIT_DONE)
                return code;
        } else {
            const int code = Prepare(line.file, source, resources, QuizTarget::Page);
            if (code != EXIT_DONE)
                return code;
        }
        std::string page;
        if (!MakeQuizPage({empty.begin(), empty.end()}, resources, page, error))
            return Fail(Quoted(emptyPage) + " : " + error);
        if (!ReplaceWholeFile(target, {page.begin(), page.end()}, error))
            return Fail(u8"impossible d'écrire " + Quoted(target) + " : " + error +
                        u8" ; rien n'a été écrit.");
        output.out += Quoted(target) + u8" écrit : " + DescribeQuiz(source, resources) + ", " +
                      FrenchSize(page.size()) + u8" ; ouvrez-la dans un navigateur.\n";
        return EXIT_DONE;
    }

    // A quiz program's resources made again for a page from its source.
    int FromProgram(const std::string& program, QuizSource& source,
                    std::vector<QuizResource>& resources)
    {
        std::vector<QuizResource> read;
        std::string error;
        if (!ReadQuizFile(program, platform, read, error))
            return Fail(error);
        RecoveredSource recovered;
        if (!RecoverSource(read, FileStem(program) + ".toml", TargetOfFile(program), recovered,
                           error))
            return Fail(Quoted(program) + " : " + error);
        std::vector<Problem> problems;
        const bool built =
            BuildQuizFromText(recovered.text, MediaAmong(recovered.media), platform.decodePicture,
                              source, resources, problems, nullptr, QuizTarget::Page);
        for (const Problem& problem : problems)
            output.err += FormatProblem(program, problem) + "\n";
        if (built)
            return EXIT_DONE;
        output.err += program + " : " + Errors(CountErrors(problems)) + u8", rien n'a été écrit.\n";
        return EXIT_QUIZ_ERRORS;
    }

    int Extract(const CommandLine& line)
    {
        std::string folder = line.output;
        std::string moved; // told once the quiz is read
        if (folder.empty()) {
            const std::string base = WithExtension(line.file, "");
            folder = FreeFolder(base);
            if (folder != base)
                moved = u8"le dossier " + Quoted(base) + u8" existe déjà : extrait dans " +
                        Quoted(folder) + ".\n";
        }
        ExtractionResult result;
        std::string error;
        const bool extracted = ExtractProgram(line.file, folder, platform, result, error);
        // A path set means the quiz was read: a failure then was writing it.
        const bool read = !result.sourcePath.empty();
        if (read)
            output.out += moved;
        // The rebuild's problems start with the source's path, as check
        // tells them; the other lines are quizzpack's.
        for (const std::string& message : result.messages)
            output.err +=
                (message.rfind(result.sourcePath, 0) == 0 ? "" : "quizzpack : ") + message + "\n";
        if (!extracted)
            return Fail(error + (read ? u8" (choisissez un autre dossier avec -o)." : ""));
        output.out += Quoted(result.sourcePath) + u8" écrit, avec " +
                      std::to_string(result.mediaCount) +
                      (result.mediaCount > 1 ? u8" médias.\n" : u8" média.\n");
        return result.rebuilds ? EXIT_DONE : EXIT_QUIZ_ERRORS;
    }

    // Writes the source, then checks it as check does: what it finds is
    // left to the teacher, with the rest of what the import could not do.
    int Import(const CommandLine& line)
    {
        const int layout = line.layout.empty() ? -1 : LayoutFromName(line.layout);
        if (!line.layout.empty() && layout < 0)
            return Fail(u8"disposition " + Quoted(line.layout) +
                        u8" inconnue : texte, image, son ou video");
        const std::string target =
            line.output.empty() ? WithExtension(line.file, ".toml") : line.output;
        std::vector<unsigned char> bytes;
        std::string error;
        if (!ReadWholeFile(line.file, bytes, error, MAX_IMPORT_BYTES, ImportTooLarge()))
            return Fail(u8"impossible de lire " + Quoted(line.file) + " : " + error);
        ImportedQuiz quiz;
        if (!ImportQuiz(line.file, {bytes.begin(), bytes.end()},
                        {layout, line.file, target, line.sheet}, quiz, error)) {
            Fail(Quoted(line.file) + " : " + error + u8" ; rien n'a été écrit.");
            for (const std::string& note : quiz.notes)
                output.err += "  " + note + "\n";
            return EXIT_USAGE;
        }
        const std::string text = WriteQuizSource(quiz.source, FileName(target));
        std::vector<NewFile> files = {{target, {text.begin(), text.end()}}};
        for (const ImportedFile& file : quiz.files)
            files.push_back(
                {BesideFile(target, file.path), {file.bytes.begin(), file.bytes.end()}});
        if (!WriteNewFiles(files, error))
            return Fail(error + u8" ; rien n'a été écrit (choisissez un autre nom avec -o).");
        QuizSource written;
        std::vector<QuizResource> resources;
        std::vector<Problem> problems;
        if (ReadQuizSource(text, written, problems))
            BuildQuizResources(written, MediaBesideSource(target), platform.decodePicture,
                               resources, problems);
        TellImport(quiz, line.file, target, problems, output.out, output.err);
        return CountErrors(problems) == 0 ? EXIT_DONE : EXIT_QUIZ_ERRORS;
    }

    int Essai(const CommandLine& line)
    {
        QuizRecord record;
        QuizRules rules;
        const int code =
            ReadQuizRecord(line.file, record, rules, output, u8"avant d'y essayer des réponses");
        if (code != EXIT_DONE)
            return code;
        TrialTarget target;
        std::string error;
        if (!line.trial.empty()) {
            if (!ParseTrialTarget(line.trial[0], record, target, error))
                return Fail(error);
            if (line.trial.size() < 2)
                return Fail(u8"il manque la réponse à essayer : quizzpack essai " + line.file +
                            " " + line.trial[0] + u8" \"l'italie\"");
            std::string answer = line.trial[1];
            for (size_t i = 2; i < line.trial.size(); ++i)
                answer += " " + line.trial[i];
            output.out += TryAnswer(record, target, answer, &rules) + "\n";
            return EXIT_DONE;
        }

        if (platform.consoleInput)
            output.err +=
                std::string(u8"Une réponse par ligne : le numéro de la question, une "
                            u8"espace, la réponse (3 l'italie") +
                (record.answersPerQuestion == 2 ? u8" ; 3:2 verte pour la seconde case" : "") +
                u8"). Pour finir : Ctrl+Z puis Entrée.\n";
        int number = 0;
        int trials = 0;
        bool wrong = false;
        std::string input;
        std::string answer;
        while (platform.readInputLine && platform.readInputLine(input)) {
            ++number;
            switch (ParseTrialLine(input, record, target, answer, error)) {
            case TrialLine::Skipped:
                break;
            case TrialLine::Wrong:
                output.err += "quizzpack : ligne " + std::to_string(number) + " : " + error + "\n";
                wrong = true;
                break;
            case TrialLine::Trial:
                output.out += TryAnswer(record, target, answer, &rules) + "\n";
                ++trials;
                break;
            }
        }
        if (trials == 0 && !wrong)
            return Fail(u8"aucune réponse à essayer : donnez-en une (quizzpack essai " + line.file +
                        u8" 3 l'italie) ou une par ligne sur l'entrée standard");
        return wrong ? EXIT_USAGE : EXIT_DONE;
    }

    // The quiz as the teacher has it today: its source, or the source a
    // program or a page carries.
    int BilanQuiz(const std::string& file, QuizRecord& record, QuizRules& rules)
    {
        const char* before = u8"avant d'en faire le bilan";
        if (!IsPageName(file) && LowerExtension(file) != ".exe")
            return ReadQuizRecord(file, record, rules, output, before);
        std::vector<QuizResource> read;
        std::string error;
        if (!ReadQuizFile(file, platform, read, error))
            return Fail(error);
        RecoveredSource recovered;
        if (!RecoverSource(read, FileStem(file) + ".toml", TargetOfFile(file), recovered, error))
            return Fail(Quoted(file) + " : " + error);
        return CheckedQuizRecord(file, recovered.text, record, rules, output, before);
    }

    int Bilan(const CommandLine& line)
    {
        QuizRecord record;
        QuizRules rules;
        const int code = BilanQuiz(line.file, record, rules);
        if (code != EXIT_DONE)
            return code;
        const std::string& first = line.work[0];
        std::string base = line.output;
        if (base.empty())
            base = IsFolder(first) ? first + "/bilan" : BesideFile(first, "bilan");
        else if (LowerExtension(base) == ".html" || LowerExtension(base) == ".csv")
            base = WithExtension(base, "");
        const std::string page = base + ".html", sheet = base + ".csv";

        // Never read as work: the quiz itself, and the bilan's own files.
        auto notWork = [&](const std::string& path) {
            for (const std::string& other : {line.file, page, sheet})
                if (PathExists(other) && platform.sameFile(path, other))
                    return true;
            const std::string name = FileName(path);
            return name == "bilan.html" || name == "bilan.csv";
        };
        std::vector<HandedIn> handed;
        std::string skipped;
        size_t files = 0;
        for (const std::string& place : line.work) {
            std::vector<std::string> paths;
            if (IsFolder(place))
                paths = FilesInFolder(place);
            else if (IsFile(place))
                paths = {place};
            else
                return Fail(Quoted(place) + u8" introuvable : donnez le dossier des travaux "
                                            u8"rendus, ou leurs fichiers");
            for (const std::string& path : paths) {
                if (notWork(path))
                    continue;
                ++files;
                std::vector<unsigned char> bytes;
                std::string reason;
                if (ReadWholeFile(path, bytes, reason, MAX_WORK_BYTES,
                                  u8"un travail rendu pèse quelques Ko"))
                    handed.push_back({FileName(path), {bytes.begin(), bytes.end()}});
                else
                    skipped += FileName(path) + u8" : laissé de côté : " + reason + ".\n";
            }
        }
        output.err += skipped;
        if (handed.empty())
            return Fail(files == 0 ? u8"aucun travail rendu à lire dans " + Quoted(first) +
                                         u8" : mettez-y les fichiers rendus par les élèves"
                                   : u8"aucun fichier lisible ; rien n'a été écrit.");
        const ClassResults results = GradeClass(record, rules, handed);
        for (const std::string& problem : results.problems)
            output.err += problem + "\n";
        if (results.pupils.empty())
            return Fail(u8"aucun travail de ce quiz parmi les fichiers lus ; rien n'a été "
                        u8"écrit.");

        const std::string html = ClassResultsPage(record, results);
        const std::string csv = ClassResultsSpreadsheet(record, results);
        std::string error;
        if (!ReplaceWholeFile(page, {html.begin(), html.end()}, error) ||
            !ReplaceWholeFile(sheet, {csv.begin(), csv.end()}, error))
            return Fail(u8"impossible d'écrire le bilan : " + error +
                        u8" (choisissez un autre nom avec -o).");
        output.out += ClassSummary(record, results) + ".\n";
        if (results.counted > 0) {
            output.out += u8"Réussite par question :";
            for (size_t q = 0; q < results.questions.size(); ++q)
                output.out += (q ? " ; " : " ") + std::to_string(q + 1) + " : " +
                              FrenchPercent(results.questions[q].solved, results.counted);
            output.out += ".\n";
        }
        output.out += Quoted(page) + " et " + Quoted(sheet) +
                      u8" écrits : ouvrez la page dans un navigateur pour l'imprimer, le "
                      u8"tableau dans un tableur.\n";
        return EXIT_DONE;
    }
};

bool TakesOption(const std::string& command, const std::string& option)
{
    if (option == "-o")
        return command == "build" || command == "page" || command == "extract" ||
               command == "importer" || command == "bilan";
    if (option == "--player")
        return command == "build";
    if (option == "--disposition" || option == "--feuille")
        return command == "importer";
    return option == "--layout" && command == "new";
}

} // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error)
{
    line = CommandLine();
    if (args.empty()) {
        error = u8"il manque la commande : new, check, build, page, extract, importer, "
                u8"essai ou bilan (quizzpack --help les explique)";
        return false;
    }
    line.command = args[0];
    if (IsHelpOption(line.command) || line.command == "help")
        line.command = "--help";
    if (line.command == "-v")
        line.command = "--version";
    // "quizzpack --help build" asks for build's help, as "build --help" does.
    if (line.command == "--help" && args.size() == 2 && !IsHelpOption(args[1])) {
        line.command = args[1];
        line.help = true;
    } else if (line.command == "--help" || line.command == "--version") {
        if (args.size() > 1) {
            error = line.command + u8" s'emploie seul";
            return false;
        }
        return true;
    }
    const bool known = line.command == "new" || line.command == "check" ||
                       line.command == "build" || line.command == "page" ||
                       line.command == "extract" || line.command == "importer" ||
                       line.command == "essai" || line.command == "bilan";
    if (!known) {
        error = u8"commande inconnue " + Quoted(line.command) +
                u8" : new, check, build, page, extract, importer, essai ou bilan (quizzpack "
                u8"--help les explique)";
        return false;
    }
    // Asked anywhere after the command, help wins over whatever else is there.
    if (line.help || std::any_of(args.begin() + 1, args.end(), IsHelpOption)) {
        line.help = true;
        return true;
    }
    for (size_t i = 1; i < args.size(); ++i) {
        // After essai's file come a question and an answer, which may start
        // with "-" like any answer.
        if (line.command == "essai" && !line.file.empty()) {
            line.trial.push_back(args[i]);
            continue;
        }
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
            // --disposition is importer's --layout.
            std::string& slot = arg == "-o"          ? line.output
                                : arg == "--player"  ? line.player
                                : arg == "--feuille" ? line.sheet
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
        } else if (line.command == "bilan") {
            line.work.push_back(arg);
        } else {
            error = u8"un seul fichier par commande : " + Quoted(arg) + u8" est de trop";
            return false;
        }
    }
    if (line.file.empty()) {
        error = u8"il manque le fichier : quizzpack " + line.command +
                (line.command == "extract"    ? " QUIZ.exe"
                 : line.command == "importer" ? " TABLEAU.csv"
                 : line.command == "bilan"    ? " QUIZ.toml DOSSIER"
                                              : " QUIZ.toml");
        return false;
    }
    if (line.command == "bilan" && line.work.empty()) {
        error = u8"il manque les travaux rendus : quizzpack bilan " + line.file +
                u8" DOSSIER (le dossier où sont les fichiers rendus par les élèves)";
        return false;
    }
    return true;
}

namespace {

int RunCommand(const std::vector<std::string>& args, const PackerPlatform& platform,
               CommandOutput& output)
{
    Runner runner = {platform, output};
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(args, line, error))
        return runner.Fail(error);
    if (line.command == "--help" || line.help) {
        output.out += CommandHelp(line.command);
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
    if (line.command == "page")
        return runner.Page(line);
    if (line.command == "importer")
        return runner.Import(line);
    if (line.command == "essai")
        return runner.Essai(line);
    if (line.command == "bilan")
        return runner.Bilan(line);
    return runner.Extract(line);
}

} // namespace

// Whatever a command reads or builds, memory running out is told and ends
// it with nothing half-written, as any failure does.
int RunQuizzpack(const std::vector<std::string>& args, const PackerPlatform& platform,
                 CommandOutput& output)
{
    try {
        return RunCommand(args, platform, output);
    } catch (const std::bad_alloc&) {
        output.err += std::string("quizzpack : ") + OUT_OF_MEMORY + ".\n";
        return EXIT_USAGE;
    }
}
