// The atelier's "Bilan de la classe" built in this process, its dialogs
// answered by the test: work handed in as files (accented names, in a
// folder), pasted from a message and altered by hand, another quiz's and a
// file too large to be one, read into the table pupil by question with its
// success rates, problems and wrong answers; the table driven by the
// keyboard; the results exported for a spreadsheet and as a page opened in
// the browser; a quiz that does not check, or does not ask for work, told.
#include "atelier/window/class_results_window.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/file_commands.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/windows_platform.h"
#include "quiz/pupil_results.h"
#include "tests/windows/atelier/atelier_fixture.h"
#include "win32/wide_text.h"

#include <filesystem>

// The codec's one message, which no test here meets.
void ShowMessageBox(const char*, const char*) {}

namespace {

namespace fs = std::filesystem;

const char* const CITIES = u8R"(titre = "Villes d'été"
disposition = "texte"
revelation = "aucune"
rendre_travail = true

[[question]]
reponse = "Paris"
texte = "Capitale de la France ?"

[[question]]
reponse = "Séville"
texte = "Ville d'Andalousie ?"

[[question]]
reponse = "Rome"
texte = "Capitale de l'Italie ?"
)";

// A folder of its own under the temporary folder, removed at the end.
struct TestFolder {
    fs::path path;
    explicit TestFolder(const wchar_t* name) : path(fs::temp_directory_path() / name)
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
        fs::create_directories(path);
    }
    ~TestFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    std::string operator/(const std::string& name) const
    {
        return (path / fs::u8path(name)).u8string();
    }
};

void Write(const std::string& path, const std::string& text)
{
    std::string error;
    ASSERT_TRUE(ReplaceWholeFile(path, {text.begin(), text.end()}, error)) << error;
}

std::string Read(const std::string& path)
{
    std::vector<unsigned char> bytes;
    std::string error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    return {bytes.begin(), bytes.end()};
}

// A pupil's work for the quiz titled title (Windows-1252), as the player
// writes it.
std::string Work(const std::string& title, const std::string& name,
                 const std::vector<std::string>& answers)
{
    const std::vector<unsigned char> key = WorkKey(title);
    return WriteResults({QuizIdentity(key), name, "2026-12-08 10:32", answers}, key);
}

// The quiz source written and opened in the atelier, then its bilan.
void OpenWithBilan(const TestFolder& folder, const std::string& source)
{
    Write(folder / "villes.toml", source);
    OpenQuizFile(folder / "villes.toml");
    SendMessageW(g_mainWindow, WM_COMMAND, ID_FILE_CLASS_RESULTS, 0);
}

HWND Item(int id)
{
    return GetDlgItem(ClassResultsWindow(), id);
}

std::string Text(int id)
{
    wchar_t text[4096] = {};
    GetWindowTextW(Item(id), text, 4096);
    return Narrow(text);
}

void Press(int id)
{
    SendMessageW(ClassResultsWindow(), WM_COMMAND, id, 0);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

// Each row of the table, its cells joined by "|".
std::vector<std::string> Rows()
{
    HWND list = Item(IDC_RESULTS_TABLE);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::string cells;
        for (int column = 0; column < columns; ++column) {
            wchar_t text[512] = {};
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 512;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            cells += (column ? "|" : "") + Narrow(text);
        }
        rows.push_back(cells);
    }
    return rows;
}

std::string Headings()
{
    HWND list = Item(IDC_RESULTS_TABLE);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    std::string all;
    for (int column = 0; column < SendMessageW(header, HDM_GETITEMCOUNT, 0, 0); ++column) {
        wchar_t text[128] = {};
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
        all += (column ? "|" : "") + Narrow(text);
    }
    return all;
}

void CopyToClipboard(const std::string& utf8)
{
    const std::wstring text = Widen(utf8);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy(text.c_str(), text.c_str() + text.size() + 1,
              static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

void Choose(int row, int column)
{
    HWND list = Item(IDC_RESULTS_TABLE);
    RECT cell = {};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    NMITEMACTIVATE click = {};
    click.hdr = {list, IDC_RESULTS_TABLE, static_cast<UINT>(NM_CLICK)};
    click.iItem = row;
    click.iSubItem = column;
    click.ptAction = {cell.left + 3, cell.top + 3};
    SendMessageW(ClassResultsWindow(), WM_NOTIFY, IDC_RESULTS_TABLE,
                 reinterpret_cast<LPARAM>(&click));
}

} // namespace

// Files dropped (a folder with accented names), pasted from a message and
// chosen in the open dialog are read together and graded with the quiz;
// what cannot be counted is one line each; the table, the rates, a cell
// chosen whole and its question's wrong answers; the spreadsheet and the
// page written where the teacher says, the page opened; Vider empties it.
TEST(ClassResults, ReadsTheClassWorkAndExportsIt)
{
    AtelierWindow atelier(LAYOUT_TEXT);
    const TestFolder folder(L"bilan à faire");
    OpenWithBilan(folder, CITIES);
    ASSERT_NE(ClassResultsWindow(), nullptr);
    EXPECT_EQ(Text(IDC_RESULTS_STATUS), u8"Aucun travail ajouté pour l'instant.");
    EXPECT_EQ(Rows(), std::vector<std::string>{u8"Réussite (sur 0)||–|–|–"});

    const std::string title = "Villes d'\xE9t\xE9"; // Windows-1252, as packed
    const fs::path handedIn = folder.path / L"travaux rendus";
    fs::create_directories(handedIn / L"classe de 6e");
    Write((handedIn / fs::u8path(u8"Villes d'été - Zoé Durand.txt")).u8string(),
          Work(title, u8"Zoé Durand", {"Paris", "S\xE9ville", "Rome"}));
    Write((handedIn / L"classe de 6e" / L"léa.txt").u8string(),
          Work(title, u8"Léa Martin", {"Pari", "S\x9Cville", ""}));
    Write((handedIn / L"notes.docx").u8string(), "pas un travail"); // not .txt: left aside
    std::string altered = Work(title, u8"Tom Altéré", {"Paris", "Madrid", "Rome"});
    altered.replace(altered.find("Madrid"), 6, u8"Sévill");
    Write(folder / "tom.txt", altered);
    Write(folder / "autre.txt", Work("Autre quiz", "Max", {"a", "b", "c"}));
    Write(folder / "photo.txt", std::string(1536 * 1024, 'x'));

    atelier.Drop({10, 10}, {Widen(handedIn.u8string())}, ClassResultsWindow());
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          u8"Léa Martin|0 / 3|Pari|Sœville|",
                          u8"Zoé Durand|3 / 3|Paris|Séville|Rome",
                          u8"Réussite (sur 2)||50 %|50 %|50 %",
                      }));
    // Dropped again, a file's work takes the place of what it gave.
    atelier.Drop({10, 10}, {Widen(folder / "tom.txt"), Widen(folder / "autre.txt")},
                 ClassResultsWindow());
    atelier.Drop({10, 10}, {Widen(folder / "tom.txt")}, ClassResultsWindow());
    CopyToClipboard("Bonjour,\r\nvoici mon travail :\r\n\r\n" +
                    ResultsBlock(Work(title, "Hugo Petit", {"Paris", "Madrid", "Rome"})) +
                    "\r\nHugo");
    Press(IDC_RESULTS_PASTE);
    Answers().files = {folder / "photo.txt"};
    Press(IDC_RESULTS_ADD);

    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "Hugo Petit|2 / 3|Paris|Madrid|Rome",
                          u8"Léa Martin|0 / 3|Pari|Sœville|",
                          u8"Tom Altéré (modifié)|2 / 3|Paris|Sévill|Rome",
                          u8"Zoé Durand|3 / 3|Paris|Séville|Rome",
                          u8"Réussite (sur 3)||67 %|33 %|67 %",
                      }));
    const std::vector<std::string> problems = Lines(Text(IDC_RESULTS_PROBLEMS));
    ASSERT_EQ(problems.size(), 3u) << Text(IDC_RESULTS_PROBLEMS);
    for (const char* start : {u8"photo.txt : le fichier pèse 1,5 Mo ; un travail rendu ne pèse "
                              u8"que quelques Ko",
                              "autre.txt : ", "tom.txt : "})
        EXPECT_EQ(std::count_if(problems.begin(), problems.end(),
                                [&](const std::string& line) { return line.rfind(start, 0) == 0; }),
                  1)
            << start << "\n"
            << Text(IDC_RESULTS_PROBLEMS);
    EXPECT_EQ(Text(IDC_RESULTS_STATUS),
              u8"4 élèves, dont 1 travail modifié (non compté) ; 3 problèmes, en haut.");

    // A cell chosen, then the keys move along the row.
    Choose(1, 2);
    EXPECT_EQ(Text(IDC_RESULTS_STATUS),
              u8"Léa Martin, question 1 : « Pari », Quasiment (attendu : « Paris »).");
    EXPECT_EQ(Lines(Text(IDC_RESULTS_WRONG)),
              (std::vector<std::string>{u8"Question 1, les réponses fausses les plus fréquentes :",
                                        u8"« Pari » : 1 élève"}));
    SetFocus(Item(IDC_RESULTS_TABLE));
    SendMessageW(Item(IDC_RESULTS_TABLE), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(Item(IDC_RESULTS_TABLE), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(Item(IDC_RESULTS_TABLE), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(Text(IDC_RESULTS_STATUS), u8"Zoé Durand, question 2 : « Séville », BRAVO.");
    SendMessageW(Item(IDC_RESULTS_TABLE), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(Item(IDC_RESULTS_TABLE), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Text(IDC_RESULTS_STATUS), u8"Question 3 : 2 sur 3 l'ont trouvée (67 %).");

    // Exported beside the quiz, under the quiz's name, whole.
    const struct {
        int command;
        std::string offered;
        std::string savedAs;
        std::string start;
        std::vector<std::string> opened;
    } exports[] = {
        {IDC_RESULTS_EXPORT,
         folder / u8"Bilan - Villes d'été.csv",
         folder / "classe.csv",
         u8"\xEF\xBB\xBF",
         {}},
        {IDC_RESULTS_PAGE,
         folder / u8"Bilan - Villes d'été.html",
         folder / "classe.html",
         "<!DOCTYPE html>",
         {folder / "classe.html"}},
    };
    for (const auto& row : exports) {
        Answers().savedAs = row.savedAs;
        Answers().opened.clear();
        Press(row.command);
        EXPECT_EQ(Answers().offered, row.offered);
        const std::string written = Read(row.savedAs);
        EXPECT_EQ(written.rfind(row.start, 0), 0u) << written.substr(0, 40);
        EXPECT_NE(written.find(u8"Zoé Durand"), std::string::npos);
        EXPECT_EQ(Answers().opened, row.opened);
        EXPECT_NE(Text(IDC_RESULTS_STATUS).find(row.savedAs), std::string::npos)
            << Text(IDC_RESULTS_STATUS);
    }

    Press(IDC_RESULTS_CLEAR);
    EXPECT_EQ(Rows(), std::vector<std::string>{u8"Réussite (sur 0)||–|–|–"});
    EXPECT_EQ(Text(IDC_RESULTS_PROBLEMS), "");
    const size_t told = Answers().told.size();
    Press(IDC_RESULTS_EXPORT);
    ASSERT_EQ(Answers().told.size(), told + 1);
    EXPECT_EQ(Answers().told.back().rfind(u8"Aucun travail d'élève n'est encore dans le bilan", 0),
              0u);
    DestroyWindow(ClassResultsWindow());
    EXPECT_EQ(ClassResultsWindow(), nullptr);
}

// The bilan opens on a quiz that checks, says how to make one ask for the
// pupils' work, heads a column per box, and is laid out again at every size,
// each pane in view and none over another.
TEST(ClassResults, OpensOnAQuizThatChecksAndFitsEverySize)
{
    const std::string noHandIn = [] {
        std::string text = CITIES;
        text.erase(text.find("rendre_travail = true\n"), 22);
        return text;
    }();
    const std::string twoBoxes = [] {
        std::string text = CITIES;
        text.insert(text.find("\n[[question]]"),
                    u8"reponses_par_question = 2\nlegende_reponse = \"Ville\"\n"
                    u8"legende_seconde_reponse = \"Pays\"\n");
        for (size_t at = 0; (at = text.find("texte = ", at)) != std::string::npos; at += 30)
            text.insert(at, "seconde_reponse = \"France\"\n");
        return text;
    }();
    const struct {
        const char* what;
        std::string source;
        bool opens;
        std::string headings; // or the start of what is told
        std::string note;     // its start
    } cases[] = {
        {"asks for work", CITIES, true, u8"Élève|Score|Q1|Q2|Q3", u8"Déposez ici les travaux"},
        {"asks for none", noHandIn, true, u8"Élève|Score|Q1|Q2|Q3",
         u8"Ce quiz ne demande pas aux élèves de rendre leur travail : cochez « Rendre le "
         u8"travail »"},
        {"two boxes", twoBoxes, true,
         u8"Élève|Score|Q1 Ville|Q1 Pays|Q2 Ville|Q2 Pays|Q3 Ville|Q3 Pays",
         u8"Déposez ici les travaux"},
        {"does not check",
         std::string(CITIES).replace(std::string(CITIES).find("\"Rome\""), 6, "\"\""), false,
         u8"Le bilan de la classe ne peut pas encore s'ouvrir : les travaux des élèves "
         u8"sont notés avec les réponses du quiz, qui a 1 erreur à corriger d'abord.",
         ""},
    };
    for (const auto& row : cases) {
        AtelierWindow atelier(LAYOUT_TEXT);
        const TestFolder folder(L"bilan à ouvrir");
        OpenWithBilan(folder, row.source);
        if (!row.opens) {
            EXPECT_EQ(ClassResultsWindow(), nullptr) << row.what;
            ASSERT_FALSE(Answers().told.empty()) << row.what;
            EXPECT_EQ(Answers().told.back().rfind(row.headings, 0), 0u)
                << row.what << ": " << Answers().told.back();
            continue;
        }
        ASSERT_NE(ClassResultsWindow(), nullptr) << row.what;
        EXPECT_EQ(Headings(), row.headings) << row.what;
        EXPECT_EQ(Text(IDC_RESULTS_NOTE).rfind(row.note, 0), 0u)
            << row.what << ": " << Text(IDC_RESULTS_NOTE);
        for (const SIZE size : {SIZE{200, 150}, SIZE{1024, 700}, SIZE{1600, 1000}}) {
            SetWindowPos(ClassResultsWindow(), nullptr, 0, 0, size.cx, size.cy,
                         SWP_NOZORDER | SWP_NOMOVE);
            RECT client;
            GetClientRect(ClassResultsWindow(), &client);
            std::vector<RECT> panes;
            for (int id :
                 {IDC_RESULTS_ADD, IDC_RESULTS_CLEAR, IDC_RESULTS_NOTE, IDC_RESULTS_PROBLEMS,
                  IDC_RESULTS_TABLE, IDC_RESULTS_CHARTS, IDC_RESULTS_WRONG, IDC_RESULTS_STATUS}) {
                RECT place;
                GetWindowRect(Item(id), &place);
                MapWindowPoints(nullptr, ClassResultsWindow(), reinterpret_cast<POINT*>(&place), 2);
                EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= client.right &&
                            place.bottom <= client.bottom && place.bottom - place.top > 8 &&
                            place.right - place.left > 8)
                    << row.what << " " << size.cx << "x" << size.cy << ": " << id;
                for (const RECT& other : panes) {
                    RECT both;
                    EXPECT_FALSE(IntersectRect(&both, &place, &other))
                        << row.what << " " << size.cx << "x" << size.cy << ": " << id;
                }
                panes.push_back(place);
            }
        }
        DestroyWindow(ClassResultsWindow());
    }
}
