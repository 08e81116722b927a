// A quiz whose pupils hand in their work, built by the authoring core with
// its key, played in the real window: the name asked at start, "Rendre mon
// travail" and "Nouvel élève" driven through their dialogs, and the files
// and text they hand in read back as the teacher's tools read them.
#include "authoring/packing/quiz_resources.h"
#include "authoring/source/source_reader.h"
#include "player/answers_file.h"
#include "player/app_globals.h"
#include "player/hand_in.h"
#include "player/header_bar.h"
#include "player/loader.h"
#include "player/pupil_name.h"
#include "quiz/pupil_results.h"
#include "resources/resource_ids.h"
#include "tests/support/message_box_recorder.h"
#include "tests/windows/player/player_window.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <deque>
#include <functional>
#include <regex>

namespace {

// UTF-8, as the authoring tools read sources.
const char* const ONE_ANSWER = u8"titre = \"Capitales d'été\"\ndisposition = \"texte\"\n"
                               u8"rendre_travail = true\n"
                               u8"[[question]]\nreponse = \"Paris\"\ntexte = \"France ?\"\n"
                               u8"[[question]]\nreponse = \"Athènes\"\ntexte = \"Grèce ?\"\n"
                               u8"[[question]]\nreponse = \"Rome\"\ntexte = \"Italie ?\"\n";
const char* const TWO_ANSWERS =
    u8"titre = \"Villes et pays\"\ndisposition = \"texte\"\nrendre_travail = true\n"
    u8"reponses_par_question = 2\nlegende_reponse = \"Ville\"\n"
    u8"legende_seconde_reponse = \"Pays\"\n"
    u8"[[question]]\nreponse = \"Bogotá\"\nseconde_reponse = \"Colombie\"\ntexte = \"1\"\n"
    u8"[[question]]\nreponse = \"Lima\"\nseconde_reponse = \"Pérou\"\ntexte = \"2\"\n";

struct BuiltQuiz {
    const char* source;
    std::unique_ptr<QuizRecord> record;
    std::vector<unsigned char> key;
};

// The quiz quizzpack builds from source, and its key, as the player loads
// them from its program.
BuiltQuiz Built(const char* source)
{
    QuizSource parsed;
    std::vector<Problem> problems;
    std::vector<QuizResource> built;
    auto noMedia = [](const std::string&, std::vector<unsigned char>&, std::string&) {
        return false;
    };
    BuiltQuiz quiz = {source, std::make_unique<QuizRecord>(), {}};
    if (!ReadQuizSource(source, parsed, problems) ||
        !BuildQuizResources(parsed, noMedia, nullptr, built, problems)) {
        ADD_FAILURE() << problems.front().message;
        return quiz;
    }
    std::vector<ResourceEntry> resources;
    for (const QuizResource& resource : built)
        resources.push_back({resource.type, resource.id, resource.data});
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = TemporaryPath("work.exe");
    EXPECT_TRUE(WriteModuleCopy(self, path, resources));
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    LoadQuizFrom(module, *quiz.record);
    quiz.key = LoadWorkKeyFrom(module);
    FreeLibrary(module);
    DeleteFileA(path.c_str());
    return quiz;
}

// What the pupil does in a dialog of this thread, once it shows under its
// caption; the steps run in turn from a timer that the dialogs' own message
// loops run.
struct Step {
    std::wstring caption;
    std::function<void(HWND)> act;
};
std::deque<Step> g_steps;
int g_waited = 0;

struct Search {
    const std::wstring* caption; // nullptr: any dialog
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    wchar_t className[16] = {}, caption[128] = {};
    GetClassNameW(window, className, 16);
    GetWindowTextW(window, caption, 128);
    if (wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
        (search.caption && *search.caption != caption))
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND ShownDialog(const std::wstring* caption)
{
    Search search = {caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_steps.empty())
        return;
    if (HWND dialog = ShownDialog(&g_steps.front().caption)) {
        const Step step = g_steps.front();
        g_steps.pop_front();
        g_waited = 0;
        step.act(dialog);
    } else if (++g_waited > 300) {
        // A dialog that never came, or another in its place: closed, so
        // that the test fails instead of hanging.
        ADD_FAILURE() << "no dialog \"" << Narrow(g_steps.front().caption) << "\"";
        g_steps.clear();
        if (HWND other = ShownDialog(nullptr))
            PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
    }
}

// The steps run while the object lives; each must have run by its end.
struct Driving {
    UINT_PTR timer;
    explicit Driving(std::vector<Step> steps)
    {
        g_steps.assign(steps.begin(), steps.end());
        g_waited = 0;
        timer = SetTimer(nullptr, 0, 20, Drive);
    }
    ~Driving()
    {
        KillTimer(nullptr, timer);
        EXPECT_TRUE(g_steps.empty()) << g_steps.size() << " steps left";
        g_steps.clear();
    }
};

void Click(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

// The name dialog: its field as prefilled, then name typed and OK, or Cancel.
Step NameStep(std::wstring* prefilled, const wchar_t* typed)
{
    return {L"Quizz", [=](HWND dialog) {
                if (prefilled)
                    *prefilled = ItemText(dialog, NAME_FIELD);
                if (!typed) {
                    Click(dialog, IDCANCEL);
                    return;
                }
                SetDlgItemTextW(dialog, NAME_FIELD, typed);
                Click(dialog, IDOK);
            }};
}

Step HandInStep(int button)
{
    return {L"Rendre mon travail", [=](HWND dialog) { Click(dialog, button); }};
}

std::string Utf8FileText(const std::wstring& path)
{
    std::string text;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        for (int c; (c = fgetc(file)) != EOF;)
            text += static_cast<char>(c);
        fclose(file);
    }
    return text;
}

std::wstring AnswersFile()
{
    wchar_t name[MAX_PATH];
    AnswersFileName(name);
    return name;
}

void PutFile(const std::wstring& path, const std::string& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

std::string ClipboardText()
{
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return Narrow(text);
}

// Alt and a letter pressed in box 1, as the player's message loop sees it.
bool PressAlt(HWND mainWindow, WPARAM letter)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    MSG key = {Box(1), WM_SYSKEYDOWN, letter, 1 << 29, 0, {}};
    const bool command = TranslateHandInKeys(mainWindow, key);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    return command;
}

std::vector<std::string> Boxes(int count)
{
    std::vector<std::string> texts;
    for (int n = 1; n <= count; ++n)
        texts.push_back(WindowText(Box(n)));
    return texts;
}

// Every test in a directory of its own, where the answers file and the
// name live, and from a clean slate.
struct HandIn : testing::Test {
    InNewDirectory directory;
    HandIn() { RecordedMessages().clear(); }
    ~HandIn() override
    {
        g_workKey.clear();
        g_pupilName.clear();
        DeleteFileW(AnswersFile().c_str());
        DeleteFileW(PupilNameFileName().c_str());
    }
    std::wstring Here(const wchar_t* name) const { return Widen(directory.path) + L"\\" + name; }
};

// UTF-8, as the player keeps names.
const std::string ZOE = u8"Zoé Nguyễn";
const std::string LEA = u8"Léa Martin";

} // namespace

// At start the name is asked, prefilled with the one remembered: the same
// name keeps the answers; another (or a first where none was remembered)
// asks whether it is another pupil, who starts from empty boxes, or the same
// one mending the name, who keeps them; an empty name is refused and asked
// again; Cancel opens the player as it was.
TEST_F(HandIn, TheNameAtStartKeepsOrEmptiesTheBoxes)
{
    const BuiltQuiz quiz = Built(ONE_ANSWER);
    const std::string mended = u8"Léa Martín";
    const struct {
        const char* name;
        std::string remembered;            // empty: none
        std::vector<const wchar_t*> typed; // nullptr: Cancel
        int another;                       // the answer to "another pupil?"; 0: not asked
        std::string pupil;
        bool kept;
        size_t messages;
    } cases[] = {
        {"the same name", LEA, {L"  Léa Martin "}, 0, LEA, true, 0},
        {"another pupil", LEA, {L"Zoé Nguyễn"}, IDYES, ZOE, false, 0},
        {"the name mended", LEA, {L"Léa Martín"}, IDNO, mended, true, 0},
        {"a first name, another pupil", "", {L"Léa Martin"}, IDYES, LEA, false, 0},
        {"a first name, the same pupil", "", {L"Léa Martin"}, IDNO, LEA, true, 0},
        {"an empty name, then one", LEA, {L"  \t", L"Zoé Nguyễn"}, IDYES, ZOE, false, 1},
        {"cancelled", LEA, {nullptr}, 0, LEA, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedMessages().clear();
        g_workKey = quiz.key;
        PutFile(AnswersFile(), "Paris\r\n*\r\nRome\r\n");
        DeleteFileW(PupilNameFileName().c_str());
        if (!c.remembered.empty())
            PutFile(PupilNameFileName(), c.remembered + "\r\n");
        std::wstring prefilled;
        LONG defaultNo = 0;
        {
            std::vector<Step> steps;
            for (const wchar_t* typed : c.typed)
                steps.push_back(NameStep(steps.empty() ? &prefilled : nullptr, typed));
            if (c.another)
                steps.push_back({L"Nouvel élève ?", [&](HWND box) {
                                     defaultNo = GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) &
                                                 BS_DEFPUSHBUTTON;
                                     Click(box, c.another);
                                 }});
            Driving driving(steps);
            AskPupilAtStart();
        }
        EXPECT_EQ(Narrow(prefilled), c.remembered);
        EXPECT_EQ(defaultNo != 0, c.another != 0) << "No by default";
        EXPECT_EQ(g_pupilName, c.pupil);
        EXPECT_EQ(Utf8FileText(PupilNameFileName()), c.pupil.empty() ? "" : c.pupil + "\r\n");
        ASSERT_EQ(RecordedMessages().size(), c.messages);
        if (c.messages) {
            EXPECT_NE(RecordedMessages()[0].text.find("Votre prénom et votre nom manquent"),
                      std::string::npos);
        }
        PlayerWindow window(Built(quiz.source).record);
        EXPECT_EQ(Boxes(3), (c.kept ? std::vector<std::string>{"Paris", "", "Rome"}
                                    : std::vector<std::string>{"", "", ""}));
        EXPECT_EQ(window.Score(), c.kept ? " 2 / 3" : " 0 / 3");
        EXPECT_EQ(Utf8FileText(AnswersFile()), c.kept ? "Paris\r\n*\r\nRome\r\n" : "");
    }
}

// "Rendre mon travail" from its button or Alt+R: the file saved where the
// pupil chooses, offered in the program's folder under the quiz's and the
// pupil's names, and the text copied; both read back as the teacher's tools
// read them, with every box as typed, accents, empty boxes and both answers
// of a question included.
TEST_F(HandIn, HandsInEveryBoxAsAFileAndAsText)
{
    const struct {
        const char* source;
        std::vector<std::string> typed;
        bool keys;
    } cases[] = {
        {ONE_ANSWER, {"Paris", "", "Athènes"}, false},
        {TWO_ANSWERS, {"Bogotá", "Colombie", "", "Pérou"}, true},
    };
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring folder = std::wstring(program).substr(0, wcsrchr(program, L'\\') - program);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys ? "Alt+R" : "the button");
        RecordedMessages().clear();
        const BuiltQuiz quiz = Built(c.source);
        g_workKey = quiz.key;
        g_pupilName = ZOE;
        PlayerWindow window(Built(quiz.source).record);
        for (size_t n = 1; n <= c.typed.size(); ++n)
            Answer(static_cast<int>(n), c.typed[n - 1].c_str());
        const std::wstring saved = Here(L"rendu é.txt");
        std::wstring offered, offeredFolder, prefilled;
        {
            Driving driving({
                {L"Rendre mon travail",
                 [&](HWND dialog) {
                     prefilled = ItemText(dialog, NAME_FIELD);
                     Click(dialog, SAVE_FILE_BUTTON);
                 }},
                {L"Enregistrer votre travail",
                 [&](HWND dialog) {
                     // The name's box: a combo box on Windows, an edit box under Wine.
                     offered = ItemText(dialog, cmb13) + ItemText(dialog, edt1);
                     wchar_t path[MAX_PATH] = {};
                     SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH,
                                  reinterpret_cast<LPARAM>(path));
                     offeredFolder = path;
                     SetDlgItemTextW(dialog, cmb13, saved.c_str());
                     SetDlgItemTextW(dialog, edt1, saved.c_str());
                     Click(dialog, IDOK);
                 }},
                HandInStep(COPY_TEXT_BUTTON),
                HandInStep(IDCANCEL),
            });
            if (c.keys) {
                EXPECT_TRUE(PressAlt(window.main, 'R'));
            } else {
                SendDlgItemMessageA(window.main, HAND_IN_BUTTON_ID, BM_CLICK, 0, 0);
            }
        }
        EXPECT_EQ(Narrow(prefilled), ZOE);
        EXPECT_EQ(Narrow(offered), ResultsFileName(quiz.record->title, ZOE));
        EXPECT_EQ(offeredFolder, folder);

        PupilResults file, text;
        ASSERT_EQ(ReadResults(Utf8FileText(saved), WorkKey(quiz.record->title), file),
                  ResultsRead::Read);
        ASSERT_EQ(ReadResults(ClipboardText(), WorkKey(quiz.record->title), text),
                  ResultsRead::Read);
        for (const PupilResults& results : {file, text}) {
            EXPECT_EQ(results.quiz, QuizIdentity(quiz.key));
            EXPECT_EQ(results.name, ZOE);
            EXPECT_TRUE(std::regex_match(results.date, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d)")))
                << results.date;
            EXPECT_EQ(results.answers, c.typed);
        }
        ASSERT_EQ(RecordedMessages().size(), 2u);
        EXPECT_EQ(RecordedMessages()[0].text,
                  "Votre travail est enregistré dans : " + directory.path +
                      "\\rendu é.txt. Donnez ce fichier à votre professeur : par l'ENT, un "
                      "courriel ou une clé USB.");
        EXPECT_NE(RecordedMessages()[1].text.find("Collez-le"), std::string::npos);
        DeleteFileW(saved.c_str());
    }
}

// Wherever the file cannot be written, nothing is left half-written, a file
// already there stays as it was, and the pupil is told why and what to do.
TEST_F(HandIn, AFailedSaveLeavesNothingAndSaysWhatToDo)
{
    const BuiltQuiz quiz = Built(ONE_ANSWER);
    g_workKey = quiz.key;
    PlayerWindow window(Built(quiz.source).record);
    Answer(1, "Paris");
    const std::wstring there = Here(L"rendu.txt");
    const std::wstring temporary = there + L"." + std::to_wstring(GetCurrentProcessId()) + L".new";
    const struct {
        const char* name;
        std::wstring path;
        std::wstring blocker; // a folder made in the way
        std::string reason;
    } cases[] = {
        {"missing folder", Here(L"absent\\rendu.txt"), L"", "ce dossier n'existe pas"},
        {"temporary in the way", there, temporary, "ce dossier n'accepte pas de fichier"},
        {"a folder by that name", Here(L"dossier.txt"), Here(L"dossier.txt"),
         "ce dossier n'accepte pas de fichier"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedMessages().clear();
        PutFile(there, "before");
        if (!c.blocker.empty())
            CreateDirectoryW(c.blocker.c_str(), nullptr);
        EXPECT_FALSE(SaveResultsFile(g_panel, ZOE, c.path));
        EXPECT_EQ(Utf8FileText(there), "before");
        EXPECT_EQ(GetFileAttributesW(temporary.c_str()),
                  c.blocker == temporary ? FILE_ATTRIBUTE_DIRECTORY : INVALID_FILE_ATTRIBUTES);
        ASSERT_EQ(RecordedMessages().size(), 1u);
        const std::string& told = RecordedMessages()[0].text;
        EXPECT_EQ(told.find("Impossible d'enregistrer votre travail dans « "), 0u) << told;
        EXPECT_NE(told.find(c.reason), std::string::npos) << told;
        EXPECT_NE(told.find("une clé USB"), std::string::npos) << told;
        if (!c.blocker.empty())
            RemoveDirectoryW(c.blocker.c_str());
    }
    DeleteFileW(there.c_str());
}

// "Nouvel élève" asks first, No by default, and names whose answers go; once
// confirmed every box is empty as at a fresh start, on screen and in the
// answers file, the name forgotten and the next pupil's asked.
TEST_F(HandIn, ANewPupilStartsFromEmptyBoxesOnceConfirmed)
{
    const BuiltQuiz quiz = Built(ONE_ANSWER);
    const struct {
        const char* name;
        int answer;
        const wchar_t* next; // nullptr: the name dialog cancelled
    } cases[] = {
        {"refused", IDNO, nullptr},
        {"confirmed", IDYES, L"Paul"},
        {"confirmed, no name given", IDYES, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_workKey = quiz.key;
        g_pupilName = ZOE;
        PutFile(PupilNameFileName(), ZOE + "\r\n");
        PutFile(AnswersFile(), "Paris\r\nLyon\r\nRome\r\n");
        const bool emptied = c.answer == IDYES;
        std::wstring asked, prefilled = L"untouched";
        LONG defaultButton = 0;
        {
            PlayerWindow window(Built(quiz.source).record);
            ASSERT_EQ(window.Score(), " 2 / 3");
            std::vector<Step> steps = {
                {L"Nouvel élève", [&](HWND box) {
                     for (HWND label = nullptr;
                          (label = FindWindowExW(box, label, L"Static", nullptr));)
                         asked += ItemText(box, GetDlgCtrlID(label));
                     defaultButton =
                         GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON;
                     Click(box, c.answer);
                 }}};
            if (emptied)
                steps.push_back(NameStep(&prefilled, c.next));
            {
                Driving driving(steps);
                SendDlgItemMessageA(window.main, NEW_PUPIL_BUTTON_ID, BM_CLICK, 0, 0);
            }
            EXPECT_NE(Narrow(asked).find(u8"Les réponses de " + ZOE +
                                         u8" seront effacées de cet ordinateur. Continuer ?"),
                      std::string::npos)
                << Narrow(asked);
            EXPECT_TRUE(defaultButton) << "No by default";
            EXPECT_EQ(Boxes(3), (emptied ? std::vector<std::string>{"", "", ""}
                                         : std::vector<std::string>{"Paris", "Lyon", "Rome"}));
            for (int n = 1; n <= 3; ++n)
                EXPECT_EQ(Verdict(n), emptied ? "?" : n == 2 ? "FAUX" : "BRAVO") << n;
            EXPECT_EQ(window.Score(), emptied ? " 0 / 3" : " 2 / 3");
            EXPECT_EQ(WindowText(GetDlgItem(window.main, CODE_LABEL_ID)),
                      emptied ? "      " : quiz.record->codes[1]);
        }
        EXPECT_EQ(prefilled, emptied ? L"" : L"untouched");
        const std::string next = c.next ? Narrow(c.next) : "";
        EXPECT_EQ(g_pupilName, emptied ? next : ZOE);
        EXPECT_EQ(Utf8FileText(PupilNameFileName()),
                  emptied ? (c.next ? next + "\r\n" : "") : ZOE + "\r\n");
        EXPECT_EQ(Utf8FileText(AnswersFile()), emptied ? "" : "Paris\r\nLyon\r\nRome\r\n");
        // The next start shows what the file holds.
        PlayerWindow again(Built(quiz.source).record);
        EXPECT_EQ(again.Score(), emptied ? " 0 / 3" : " 2 / 3");
        EXPECT_TRUE(RecordedMessages().empty());
    }
}

// The buttons stand in the title's frame over nothing else, and only in a
// quiz that asks for work: without its key every header control keeps its
// place, and Alt+R and Alt+N are no command.
TEST(HandInButtons, StandInTheTitlesFrameOverNothingElse)
{
    const BuiltQuiz quiz = Built(ONE_ANSWER);
    auto header = [](HWND main) {
        std::vector<std::pair<int, RECT>> controls;
        for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (child != g_panel)
                controls.push_back({GetDlgCtrlID(child), PlaceOf(child)});
        return controls;
    };
    const auto isFrame = [](int id) { return id >= SCORE_FRAME_ID && id <= LINK_FRAME_ID; };
    std::vector<std::pair<int, RECT>> without, with;
    {
        PlayerWindow window(Built(quiz.source).record);
        without = header(window.main);
        EXPECT_EQ(GetDlgItem(window.main, HAND_IN_BUTTON_ID), nullptr);
        EXPECT_EQ(GetDlgItem(window.main, NEW_PUPIL_BUTTON_ID), nullptr);
        EXPECT_FALSE(PressAlt(window.main, 'N'));
        EXPECT_FALSE(PressAlt(window.main, 'R'));
    }
    g_workKey = quiz.key;
    {
        PlayerWindow window(Built(quiz.source).record);
        with = header(window.main);
    }
    g_workKey.clear();
    ASSERT_EQ(with.size(), without.size() + 2);
    RECT frame = {};
    for (const auto& [id, place] : with)
        if (id == TITLE_FRAME_ID)
            frame = place;
    for (size_t k = 0; k < with.size(); ++k) {
        const auto& [id, place] = with[k];
        if (id != HAND_IN_BUTTON_ID && id != NEW_PUPIL_BUTTON_ID) {
            EXPECT_TRUE(EqualRect(&place, &without[k].second)) << "control " << k << " moved";
            continue;
        }
        RECT inside;
        IntersectRect(&inside, &place, &frame);
        EXPECT_TRUE(EqualRect(&inside, &place)) << id << " within the title's frame";
        for (size_t other = 0; other < with.size(); ++other) {
            RECT overlap;
            EXPECT_TRUE(other == k || isFrame(with[other].first) ||
                        !IntersectRect(&overlap, &place, &with[other].second))
                << id << " over control " << other;
        }
    }
}

// The remembered name is one line of UTF-8 that a results file can carry;
// anything else is no name, and the pupil is asked afresh.
TEST_F(HandIn, RemembersOnlyANameAResultsFileCanCarry)
{
    EXPECT_EQ(PupilNameFileName(), L"hand_in_tests-eleve.txt");
    const struct {
        std::string file;
        std::string name;
    } cases[] = {
        {ZOE + "\r\n", ZOE},
        {"  " + LEA + " \t\r\nPaul\r\n", LEA},
        {"Paul", "Paul"},
        {std::string(MAX_PUPIL_NAME, 'a') + "\r\n", std::string(MAX_PUPIL_NAME, 'a')},
        {std::string(MAX_PUPIL_NAME + 1, 'a'), ""},
        {" \r\n", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        PutFile(PupilNameFileName(), c.file);
        EXPECT_EQ(RememberedPupilName(), c.name) << c.file;
    }
    DeleteFileW(PupilNameFileName().c_str());
    EXPECT_EQ(RememberedPupilName(), "");
}
