#include "atelier/window/file_commands.h"

#include "atelier/document/document_saving.h"
#include "atelier/document/question_editing.h"
#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/dialogs.h"
#include "atelier/window/editor.h"
#include "atelier/window/last_folder.h"
#include "atelier/window/live_check.h"
#include "atelier/window/problem_list.h"
#include "atelier/window/quiz_trial.h"
#include "atelier/window/recovery.h"
#include "authoring/import/quiz_import.h"
#include "authoring/media/media_lookup.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/program_extraction.h"
#include "authoring/packing/quiz_build.h"
#include "authoring/packing/quiz_page.h"
#include "authoring/packing/windows_platform.h"
#include "quiz/media_format.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The most of a list of problems that a message box shows.
constexpr size_t SHOWN_PROBLEMS = 8;

std::wstring ProblemLines(const std::string& file, const std::vector<Problem>& problems)
{
    std::wstring lines;
    for (size_t i = 0; i < problems.size() && i < SHOWN_PROBLEMS; ++i)
        lines += L"\n– " + Widen(FormatProblem(file, problems[i]));
    if (problems.size() > SHOWN_PROBLEMS)
        lines += L"\n– et " + std::to_wstring(problems.size() - SHOWN_PROBLEMS) + L" autres.";
    return lines;
}

void Show(const QuizDocument& document)
{
    g_document = document;
    ShowDocument();
}

bool OpenSource(const std::string& path)
{
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!ReadWholeFile(path, bytes, reason)) {
        Tell(g_mainWindow,
             L"Impossible d'ouvrir " + Widen(Quoted(path)) + L" : " + Widen(reason) + L".",
             MB_ICONERROR);
        return false;
    }
    QuizDocument document;
    std::vector<Problem> problems;
    const std::string text(bytes.begin(), bytes.end());
    if (!OpenDocument(path, text, document, problems)) {
        Tell(g_mainWindow,
             Widen(Quoted(FileName(path))) +
                 L" n'est pas un fichier source que l'atelier sait lire :" +
                 ProblemLines(FileName(path), problems) +
                 L"\n\nCorrigez ces lignes dans le Bloc-notes, puis ouvrez-le de nouveau.",
             MB_ICONERROR);
        return false;
    }
    Show(document);
    RememberFolderOf(path);
    if (!problems.empty())
        Tell(g_mainWindow,
             L"Ces valeurs de " + Widen(Quoted(FileName(path))) +
                 L" ne s'affichent pas dans l'atelier :" + ProblemLines(FileName(path), problems) +
                 L"\n\nElles restent dans le fichier tant que vous ne l'enregistrez pas ; "
                 L"l'enregistrer en garde d'abord une copie telle quelle.",
             MB_ICONWARNING);
    SetStatus(Widen(Quoted(path)) + L" ouvert.");
    return true;
}

// A quiz program's or page's source and media, written into a new folder
// inside the one the teacher chooses, then opened.
void ExtractAndOpen(const std::string& program)
{
    std::string folder;
    if (!ChooseFolder(g_mainWindow,
                      L"Dans quel dossier écrire le fichier source et les médias de " +
                          Widen(Quoted(FileName(program))) + L" ? Un dossier nouveau y est créé.",
                      fs::u8path(program).parent_path().u8string(), folder))
        return;
    const PackerPlatform platform = WindowsPlatform();
    const std::string target =
        FreeFolder((fs::u8path(folder) / fs::u8path(FileStem(program))).u8string());
    ExtractionResult result;
    std::string error;
    if (!ExtractProgram(program, target, platform, result, error)) {
        Tell(g_mainWindow,
             L"Impossible d'extraire " + Widen(Quoted(FileName(program))) + L" : " + Widen(error) +
                 L".",
             MB_ICONERROR);
        return;
    }
    if (!OpenSource(result.sourcePath))
        return;
    if (!result.messages.empty()) {
        std::wstring told;
        for (const std::string& message : result.messages)
            told += L"\n– " + Widen(message);
        Tell(g_mainWindow, L"Extrait dans " + Widen(Quoted(target)) + L" :" + told,
             result.rebuilds ? MB_ICONINFORMATION : MB_ICONWARNING);
    }
    SetStatus(Widen(Quoted(FileName(program))) + L" extrait dans " + Widen(Quoted(target)) +
              L", avec " + Counted(result.mediaCount, L"média", L"médias") + L".");
}

void ImportFile(const std::string& path)
{
    std::vector<unsigned char> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error, MAX_IMPORT_BYTES, ImportTooLarge())) {
        Tell(g_mainWindow,
             L"Impossible de lire " + Widen(Quoted(path)) + L" : " + Widen(error) + L".",
             MB_ICONERROR);
        return;
    }
    const std::string written =
        (fs::u8path(path).parent_path() / fs::u8path(FileStem(path) + ".toml")).u8string();
    ImportedQuiz quiz;
    const bool imported =
        ImportQuiz(path, {bytes.begin(), bytes.end()}, {-1, path, written}, quiz, error);
    std::wstring notes;
    for (const std::string& note : quiz.notes)
        notes += L"\n– " + Widen(note);
    if (!imported) {
        Tell(g_mainWindow, Widen(Quoted(FileName(path))) + L" : " + Widen(error) + notes,
             MB_ICONERROR);
        return;
    }
    // The pictures a Moodle bank carries go beside the table, where the
    // questions look for them, never over a file already there.
    std::vector<NewFile> pictures;
    for (const ImportedFile& file : quiz.files)
        pictures.push_back(
            {BesideFile(written, file.path), {file.bytes.begin(), file.bytes.end()}});
    if (!WriteNewFiles(pictures, error)) {
        Tell(g_mainWindow,
             L"Les images de " + Widen(Quoted(FileName(path))) + L" n'ont pas pu être écrites : " +
                 Widen(error) + L". Rien n'a été importé.",
             MB_ICONERROR);
        return;
    }
    QuizDocument document;
    ImportedDocument(quiz, path, document);
    Show(document);
    const size_t count = document.source.questions.size();
    Tell(g_mainWindow,
         Counted(count, L"question importée", L"questions importées") + L" de " +
             Widen(Quoted(FileName(path))) + L" (" + Widen(quiz.origin) + L")." +
             (notes.empty() ? L"" : L"\n" + notes) +
             L"\n\nDonnez-lui son titre, vérifiez la liste des problèmes, puis enregistrez-le.",
         MB_ICONINFORMATION);
    SetStatus(Counted(count, L"question importée", L"questions importées") + L" de " +
              Widen(Quoted(path)) + L".");
}

// The file on disk changed since it was read or written here: by another
// program (the Notepad, quizzpack), whose work must not go unasked.
bool ChangedElsewhere(const std::string& path)
{
    std::vector<unsigned char> bytes;
    std::string reason;
    if (path != g_document.path || !ReadWholeFile(path, bytes, reason))
        return false;
    return std::string(bytes.begin(), bytes.end()) != g_document.savedText;
}

bool SaveAt(const std::string& target)
{
    if (ChangedElsewhere(target) &&
        !AskYesNo(g_mainWindow, Widen(Quoted(FileName(target))) +
                                    L" a changé depuis son ouverture, sans doute dans un autre "
                                    L"programme. Le remplacer par le quiz de l'atelier ?"))
        return false;
    SaveReport report;
    std::string error;
    if (!SaveDocument(g_document, target, report, error)) {
        Tell(g_mainWindow,
             L"Le quiz n'a pas été enregistré : " + Widen(error) +
                 L".\n\nVos changements sont toujours là : enregistrez-le ailleurs (Fichier, "
                 L"Enregistrer sous).",
             MB_ICONERROR);
        return false;
    }
    RememberFolderOf(target);
    // Media copied in have their new names: the fields show them.
    ShowSavedDocument();
    UpdateRecoveryCopy(); // nothing left unsaved: the copy goes
    CheckNow();
    std::wstring status = L"Enregistré dans " + Widen(Quoted(target));
    if (report.copiedMedia > 0)
        status +=
            L", avec " +
            Counted(static_cast<size_t>(report.copiedMedia), L"média copié", L"médias copiés") +
            L" dans le dossier " + Widen(MEDIA_FOLDER);
    SetStatus(status + L".");
    if (!report.keptCopy.empty())
        Tell(g_mainWindow,
             Widen(Quoted(FileName(target))) +
                 L" avait été écrit à la main : l'atelier l'enregistre dans sa propre forme, "
                 L"avec ses commentaires à lui. Le fichier tel qu'il était est gardé sous " +
                 Widen(Quoted(FileName(report.keptCopy))) + L".",
             MB_ICONINFORMATION);
    return true;
}

// The quiz built from text, its media found from mediaBase; the problems
// are shown, and told when they stop the build.
bool Build(const std::string& text, const std::string& mediaBase, const PackerPlatform& platform,
           QuizTarget target, QuizSource& source, std::vector<QuizResource>& resources,
           const wchar_t* what)
{
    const HCURSOR old = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    std::vector<Problem> problems;
    const bool built =
        BuildQuizFromText(text, MediaBesideSource(mediaBase), platform.decodePicture, source,
                          resources, problems, &SharedPictureCache(), target);
    SetCursor(old);
    ShowProblems(problems);
    if (!built) {
        Tell(g_mainWindow,
             std::wstring(what) + L" : " + Counted(CountErrors(problems), L"erreur", L"erreurs") +
                 L" à corriger d'abord. La liste des problèmes, en bas, dit lesquelles et "
                 L"comment ; un double clic mène au champ.",
             MB_ICONWARNING);
        SetFocus(Control(IDC_PROBLEMS));
        return false;
    }
    return true;
}

bool PlayerIsThere(const PackerPlatform& platform)
{
    if (IsFile(DefaultPlayer(platform.toolDirectory)))
        return true;
    Tell(g_mainWindow,
         L"Le lecteur quizz.exe manque à côté de l'atelier, dans " +
             Widen(Quoted(platform.toolDirectory)) +
             L". Extrayez de nouveau tout le zip de Quizz, puis lancez l'atelier qui s'y trouve.",
         MB_ICONERROR);
    return false;
}

// The empty page read from beside the atelier, as the player is found there;
// false when it is missing or unreadable, told.
bool ReadEmptyPage(const PackerPlatform& platform, std::string& emptyPage)
{
    const std::string path = DefaultPage(platform.toolDirectory);
    std::vector<unsigned char> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        Tell(g_mainWindow,
             L"La page vide quizz.html manque à côté de l'atelier, dans " +
                 Widen(Quoted(platform.toolDirectory)) + L" (" + Widen(error) +
                 L"). Extrayez de nouveau tout le zip de Quizz, puis lancez l'atelier qui s'y "
                 L"trouve.",
             MB_ICONERROR);
        return false;
    }
    emptyPage.assign(bytes.begin(), bytes.end());
    return true;
}

// The quiz's page, built from text for the browser into emptyPage; false
// when it cannot be, told.
bool BuildPage(const std::string& emptyPage, const std::string& text, const std::string& mediaBase,
               const PackerPlatform& platform, QuizSource& source,
               std::vector<QuizResource>& resources, std::string& page, const wchar_t* what)
{
    if (!Build(text, mediaBase, platform, QuizTarget::Page, source, resources, what))
        return false;
    std::string error;
    if (!MakeQuizPage(emptyPage, resources, page, error)) {
        Tell(g_mainWindow,
             L"La page vide quizz.html, à côté de l'atelier, ne sert pas : " + Widen(error) +
                 L". Extrayez de nouveau tout le zip de Quizz, puis lancez l'atelier qui s'y "
                 L"trouve.",
             MB_ICONERROR);
        return false;
    }
    return true;
}

// The saved source, read again to be built as quizzpack builds it; saved
// first when it has changes. False when it is not there, told.
bool ReadSavedSource(std::string& text)
{
    if (IsModified(g_document) || g_document.path.empty()) {
        if (!SaveQuiz())
            return false;
    }
    std::vector<unsigned char> bytes;
    std::string error;
    if (!ReadWholeFile(g_document.path, bytes, error)) {
        Tell(g_mainWindow,
             L"Impossible de relire " + Widen(Quoted(g_document.path)) + L" : " + Widen(error) +
                 L".",
             MB_ICONERROR);
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

// A program or page created, told where it is seen, not only in the status
// bar, with what the teacher does next: find the file to give, or try it.
void TellWhereCreated(Created what, const std::string& target, const QuizSource& source,
                      const std::vector<QuizResource>& resources)
{
    const bool page = what == Created::Page;
    const std::wstring name = Widen(Quoted(FileName(target)));
    const std::wstring folder = Widen(Quoted(fs::u8path(target).parent_path().u8string()));
    const std::wstring described = Widen(DescribeQuiz(source, resources));
    SetStatus(name + (page ? L" créée : " : L" créé : ") + described + L".");
    RememberFolderOf(target);
    const std::wstring text =
        name + (page ? L" est créée dans " : L" est créé dans ") + folder + L" : " + described +
        (page ? L".\n\nC'est ce seul fichier que vous donnez aux élèves ou mettez en ligne (sur "
                L"l'ENT, un site) : il contient tout le quiz, ses médias compris, et s'ouvre "
                L"dans tout navigateur, sur ordinateur, tablette ou téléphone."
              : L".\n\nC'est ce seul fichier que vous donnez aux élèves : il contient tout le "
                L"quiz, ses médias compris.");
    switch (TellCreated(g_mainWindow, what, text)) {
    case CreatedChoice::OpenFolder:
        OpenInShell(g_mainWindow, "explorer.exe",
                    L"/select,\"" + fs::u8path(target).wstring() + L"\"");
        break;
    case CreatedChoice::Try:
        if (page)
            OpenInShell(g_mainWindow, target);
        else
            TryQuiz();
        break;
    case CreatedChoice::Close:
        break;
    }
}

} // namespace

bool ConfirmDiscardChanges()
{
    if (!IsModified(g_document))
        return true;
    switch (AskToSaveChanges(g_mainWindow, Widen(DocumentName(g_document)))) {
    case SaveChoice::Save:
        return SaveQuiz();
    case SaveChoice::Discard:
        return true;
    default:
        return false;
    }
}

void NewQuiz()
{
    if (!ConfirmDiscardChanges())
        return;
    const int layout = ChooseLayout(g_mainWindow);
    if (layout < 0)
        return;
    QuizDocument document;
    NewDocument(layout, DocumentsFolder(), document);
    Show(document);
    FocusField(Control(IDC_TITLE));
    SetStatus(L"Nouveau quiz : donnez-lui un titre, puis ses questions.");
}

void OpenQuiz()
{
    std::vector<std::string> paths;
    if (ChooseFilesToOpen(g_mainWindow, FileChoice::Quiz, LastFolder(), paths))
        OpenQuizFile(paths[0]);
}

void OpenQuizFile(const std::string& path)
{
    const FileKind kind = KindOfFile(path);
    if (kind != FileKind::Program && kind != FileKind::Source && kind != FileKind::Table) {
        Tell(g_mainWindow,
             Widen(Quoted(FileName(path))) +
                 L" n'est pas un quiz : l'atelier ouvre les fichiers source (.toml), les quiz "
                 L"créés (.exe) et leurs pages web (.html), les classeurs Excel et LibreOffice "
                 L"(.xlsx, .ods), les tableaux "
                 L"enregistrés en CSV ou en texte (.csv, .tsv, .txt) et les banques de questions "
                 L"Moodle (GIFT, XML), et prend pour les questions les images, les "
                 L"sons " +
                 Widen(TakenMediaNames(MediaKind::Sound)) + L" et les vidéos " +
                 Widen(TakenMediaNames(MediaKind::Film)) + L".",
             MB_ICONINFORMATION);
        return;
    }
    if (!ConfirmDiscardChanges())
        return;
    if (kind == FileKind::Program)
        ExtractAndOpen(path);
    else if (kind == FileKind::Source)
        OpenSource(path);
    else
        ImportFile(path);
}

void ImportQuestions()
{
    if (!ConfirmDiscardChanges())
        return;
    std::vector<std::string> paths;
    if (ChooseFilesToOpen(g_mainWindow, FileChoice::Table, g_document.folder, paths))
        ImportFile(paths[0]);
}

bool SaveQuiz()
{
    return g_document.path.empty() ? SaveQuizAs() : SaveAt(g_document.path);
}

bool SaveQuizAs()
{
    // A new quiz goes where the teacher keeps quizzes, under its title; an
    // imported one beside its table.
    const std::string folder = g_document.nameHint.empty() ? LastFolder() : g_document.folder;
    const std::string suggested =
        g_document.path.empty()
            ? (fs::u8path(folder) / fs::u8path(OfferedFileName(g_document))).u8string()
            : g_document.path;
    std::string target;
    return ChooseFileToSave(g_mainWindow, FileChoice::Source, suggested, target) && SaveAt(target);
}

void CreateQuizProgram()
{
    const PackerPlatform platform = WindowsPlatform();
    if (!PlayerIsThere(platform))
        return;
    // Built from the saved source, as quizzpack builds it: saved first.
    std::string text;
    if (!ReadSavedSource(text))
        return;
    std::string target;
    if (!ChooseFileToSave(g_mainWindow, FileChoice::Program, WithExtension(g_document.path, ".exe"),
                          target))
        return;
    const std::string player = DefaultPlayer(platform.toolDirectory);
    const std::string conflict = OutputConflict(target, player, g_document.path, platform.sameFile);
    if (!conflict.empty()) {
        Tell(g_mainWindow, Widen(conflict) + L" : choisissez un autre nom.", MB_ICONWARNING);
        return;
    }
    QuizSource source;
    std::vector<QuizResource> resources;
    if (!Build(text, g_document.path, platform, QuizTarget::Program, source, resources,
               L"Le quiz ne peut pas encore être créé"))
        return;
    std::string error;
    if (!platform.writePlayer(player, target, resources, error)) {
        Tell(g_mainWindow,
             L"Impossible d'écrire " + Widen(Quoted(target)) + L" : " + Widen(error) +
                 L". Rien n'a été écrit ; choisissez un autre dossier.",
             MB_ICONERROR);
        return;
    }
    TellWhereCreated(Created::Program, target, source, resources);
}

void CreateQuizPage()
{
    const PackerPlatform platform = WindowsPlatform();
    std::string emptyPage;
    if (!ReadEmptyPage(platform, emptyPage))
        return;
    // From the saved source, as `quizzpack page` makes it.
    std::string text;
    if (!ReadSavedSource(text))
        return;
    std::string target;
    if (!ChooseFileToSave(g_mainWindow, FileChoice::Page, WithExtension(g_document.path, ".html"),
                          target))
        return;
    const std::string conflict = OutputConflict(target, DefaultPage(platform.toolDirectory),
                                                g_document.path, platform.sameFile);
    if (!conflict.empty()) {
        Tell(g_mainWindow, Widen(conflict) + L" : choisissez un autre nom.", MB_ICONWARNING);
        return;
    }
    QuizSource source;
    std::vector<QuizResource> resources;
    std::string page;
    if (!BuildPage(emptyPage, text, g_document.path, platform, source, resources, page,
                   L"La page web ne peut pas encore être créée"))
        return;
    std::string error;
    if (!ReplaceWholeFile(target, {page.begin(), page.end()}, error)) {
        Tell(g_mainWindow,
             L"Impossible d'écrire " + Widen(Quoted(target)) + L" : " + Widen(error) +
                 L". Rien n'a été écrit ; choisissez un autre dossier.",
             MB_ICONERROR);
        return;
    }
    TellWhereCreated(Created::Page, target, source, resources);
}

void TryQuiz()
{
    const PackerPlatform platform = WindowsPlatform();
    if (!PlayerIsThere(platform))
        return;
    QuizSource source;
    std::vector<QuizResource> resources;
    if (!Build(DocumentText(g_document), MediaBase(g_document), platform, QuizTarget::Program,
               source, resources, L"Le quiz ne peut pas encore être essayé"))
        return;
    std::string error;
    if (!StartTrial(resources, platform, error)) {
        Tell(g_mainWindow, L"Impossible d'essayer le quiz : " + Widen(error) + L".", MB_ICONERROR);
        return;
    }
    SetStatus(L"Le quiz s'ouvre dans le lecteur, comme les élèves le verront.");
}

void TryQuizPage()
{
    const PackerPlatform platform = WindowsPlatform();
    std::string emptyPage;
    if (!ReadEmptyPage(platform, emptyPage))
        return;
    QuizSource source;
    std::vector<QuizResource> resources;
    std::string page;
    if (!BuildPage(emptyPage, DocumentText(g_document), MediaBase(g_document), platform, source,
                   resources, page, L"La page web ne peut pas encore être essayée"))
        return;
    std::string path;
    std::string error;
    if (!WriteTrialPage(page, path, error)) {
        Tell(g_mainWindow, L"Impossible d'essayer la page web : " + Widen(error) + L".",
             MB_ICONERROR);
        return;
    }
    if (!OpenInShell(g_mainWindow, path)) {
        Tell(g_mainWindow,
             L"Aucun navigateur n'a ouvert la page web : installez-en un (Firefox, Chrome, "
             L"Edge) ou choisissez votre navigateur par défaut dans les paramètres de Windows, "
             L"puis réessayez.",
             MB_ICONERROR);
        return;
    }
    SetStatus(L"La page web s'ouvre dans le navigateur, comme les élèves la verront.");
}
