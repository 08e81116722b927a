#include "tests/robot/atelier_robot.h"

#include "atelier/window/control_ids.h"
#include "authoring/packing/windows_platform.h"
#include "win32/wide_text.h"

#include <commctrl.h>
#include <shlobj.h>

#include <filesystem>

std::string g_atelierPath;

namespace {

constexpr DWORD PATIENCE_MS = 30000;
// The file name of the system's file dialogs, and the folder of its folder
// dialog (Wine's).
constexpr int FILE_NAME_BOX = 1148;
constexpr int FOLDER_NAME_BOX = 14149;
constexpr int MESSAGE_BOX_TEXT = 0xFFFF;

// Memory lent in the atelier's process, for the messages whose parameter
// points to memory: the control reads and writes there.
struct Lent {
    HANDLE process;
    unsigned char* address;
    Lent(HANDLE owner, size_t size)
        : process(owner), address(static_cast<unsigned char*>(
                              VirtualAllocEx(owner, nullptr, size, MEM_COMMIT, PAGE_READWRITE)))
    {
    }
    ~Lent()
    {
        if (address)
            VirtualFreeEx(process, address, 0, MEM_RELEASE);
    }
    Lent(const Lent&) = delete;
    Lent& operator=(const Lent&) = delete;
    void Write(size_t offset, const void* data, size_t size) const
    {
        WriteProcessMemory(process, address + offset, data, size, nullptr);
    }
    std::wstring Text(size_t offset, size_t characters) const
    {
        std::wstring text(characters, L'\0');
        ReadProcessMemory(process, address + offset, text.data(), characters * sizeof(wchar_t),
                          nullptr);
        text.resize(wcslen(text.c_str()));
        return text;
    }
    LPARAM At(size_t offset = 0) const { return reinterpret_cast<LPARAM>(address + offset); }
};

constexpr size_t CHARACTERS = 1024; // of a text read from a control

std::string Utf8Text(HWND window)
{
    wchar_t text[4096] = {};
    SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

// The dialog shown by process with this title.
HWND DialogOf(DWORD process, const std::wstring& title)
{
    for (HWND dialog = nullptr; (dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(dialog, &owner);
        wchar_t text[256] = {};
        GetWindowTextW(dialog, text, 256);
        if (owner == process && IsWindowVisible(dialog) && (title.empty() || title == text))
            return dialog;
    }
    return nullptr;
}

// The edit box in which a file dialog's name is typed: in a combo box, itself
// in a ComboBoxEx.
HWND NameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, FILE_NAME_BOX);
    for (HWND inner = box; inner;) {
        HWND edit = FindWindowExW(inner, nullptr, L"Edit", nullptr);
        if (edit)
            return edit;
        inner = FindWindowExW(inner, nullptr, L"ComboBox", nullptr);
    }
    return box;
}

} // namespace

std::vector<std::string> RecoveryCopies()
{
    wchar_t base[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, base);
    std::vector<std::string> copies;
    std::error_code failure;
    for (std::filesystem::directory_iterator
             entry(std::filesystem::path(base) / L"Quizz" / L"Récupération", failure),
         end;
         !failure && entry != end; entry.increment(failure)) {
        // Not the temporary a copy is written to before it takes its name:
        // a kill then would leave no copy.
        if (entry->path().extension() == L".recup")
            copies.push_back(entry->path().u8string());
    }
    return copies;
}

namespace {

// The process is made before its window, so the copies must go first.
const std::string& WithoutRecoveryCopies(const std::string& argument, bool offerRecovery)
{
    if (!offerRecovery)
        for (const std::string& copy : RecoveryCopies())
            DeleteFileW(std::filesystem::u8path(copy).c_str());
    return argument;
}

} // namespace

AtelierRobot::AtelierRobot(const std::string& argument, bool offerRecovery)
    : process_(g_atelierPath, {}, WithoutRecoveryCopies(argument, offerRecovery))
{
    window_ = process_.WaitForWindow("AtelierQuizz", PATIENCE_MS);
}

void AtelierRobot::Kill() const
{
    TerminateProcess(process_.Handle(), 1);
    process_.WaitForExit(PATIENCE_MS);
}

void AtelierRobot::SetText(int id, const std::string& text) const
{
    SendMessageW(GetDlgItem(window_, id), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string AtelierRobot::Text(int id, HWND in) const
{
    return Utf8Text(GetDlgItem(in ? in : window_, id));
}

HWND AtelierRobot::ClassResults() const
{
    HWND found = nullptr;
    WaitFor([&] {
        for (found = nullptr;
             (found = FindWindowExW(nullptr, found, L"QuizzClassResults", nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == process_.Id() && IsWindowVisible(found))
                return true;
        }
        return false;
    });
    return found;
}

void AtelierRobot::PasteWork(const std::string& text) const
{
    const std::wstring wide = Widen(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (!memory)
        return;
    memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    // The atelier may hold the clipboard a moment: tried again until free.
    if (!WaitFor([] { return OpenClipboard(nullptr) != 0; })) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    Command(IDC_RESULTS_PASTE, ClassResults());
}

std::string AtelierRobot::Caption() const
{
    return Utf8Text(window_);
}

void AtelierRobot::Click(int id) const
{
    // What a button tells its window when clicked: a click itself would need
    // the window in front, which a robot's is not always.
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window_, id)));
}

bool AtelierRobot::ChooseInDialog(const std::string& title, int firstRadio, int lastRadio,
                                  int chosen) const
{
    HWND dialog = WaitForDialog(title);
    if (!dialog)
        return false;
    for (int id = firstRadio; id <= lastRadio; ++id)
        SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK,
                     id == chosen ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

void AtelierRobot::Choose(int comboId, int index) const
{
    HWND combo = GetDlgItem(window_, comboId);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void AtelierRobot::Command(int id, HWND to) const
{
    PostMessageW(to ? to : window_, WM_COMMAND, id, 0);
}

void AtelierRobot::Close() const
{
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

HWND AtelierRobot::WaitForDialog(const std::string& title) const
{
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = DialogOf(process_.Id(), Widen(title))) != nullptr; });
    return dialog;
}

bool AtelierRobot::AnswerFileDialog(const std::string& title, const std::string& path) const
{
    HWND dialog = WaitForDialog(title);
    if (!dialog)
        return false;
    // The dialog fills its boxes as it comes: the name is typed once it has.
    Sleep(300);
    SendMessageW(NameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(path).c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

bool AtelierRobot::AnswerFolderDialog(const std::string& folder) const
{
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = DialogOf(process_.Id(), L"");
        return dialog && GetDlgItem(dialog, FOLDER_NAME_BOX);
    });
    if (!dialog)
        return false;
    Sleep(300);
    const std::wstring path = Widen(folder);
    SendMessageW(GetDlgItem(dialog, FOLDER_NAME_BOX), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(path.c_str()));
    // Wine's dialog takes the folder selected in its tree, not the one
    // typed: the robot selects it too, until the tree shows it selected.
    const size_t size = (path.size() + 1) * sizeof(wchar_t);
    const Lent named(process_.Handle(), size + sizeof(TVITEMW) + CHARACTERS * sizeof(wchar_t));
    if (!named.address)
        return false;
    named.Write(0, path.c_str(), size);
    const std::wstring last = path.substr(path.find_last_of(L"\\/") + 1);
    HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    const bool selected = WaitFor([&] {
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, named.At());
        Sleep(200);
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem =
            reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        item.pszText = reinterpret_cast<wchar_t*>(named.address + size + sizeof item);
        item.cchTextMax = CHARACTERS;
        named.Write(size, &item, sizeof item);
        SendMessageW(tree, TVM_GETITEMW, 0, named.At(size));
        return named.Text(size + sizeof item, CHARACTERS) == last;
    });
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }) && selected;
}

bool AtelierRobot::Press(const std::string& title, int button) const
{
    HWND dialog = WaitForDialog(title);
    if (!dialog)
        return false;
    PostMessageW(dialog, WM_COMMAND, button, 0);
    return WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

std::string AtelierRobot::AnswerMessageBox() const
{
    HWND box = nullptr;
    WaitFor([&] {
        box = DialogOf(process_.Id(), L"Atelier Quizz");
        return box && GetDlgItem(box, MESSAGE_BOX_TEXT);
    });
    if (!box)
        return "";
    std::string text = Utf8Text(GetDlgItem(box, MESSAGE_BOX_TEXT));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    return text;
}

void AtelierRobot::SelectRow(int listId, int row) const
{
    const Lent lent(process_.Handle(), sizeof(LVITEMW));
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    lent.Write(0, &item, sizeof item);
    SendMessageW(GetDlgItem(window_, listId), LVM_SETITEMSTATE, row, lent.At());
}

int AtelierRobot::Rows(int listId, HWND in) const
{
    return static_cast<int>(
        SendMessageW(GetDlgItem(in ? in : window_, listId), LVM_GETITEMCOUNT, 0, 0));
}

std::string AtelierRobot::Cell(int listId, int row, int column, HWND in) const
{
    // The list writes the text in the atelier's memory: an item and its
    // buffer are lent there.
    const Lent lent(process_.Handle(), sizeof(LVITEMW) + CHARACTERS * sizeof(wchar_t));
    if (!lent.address)
        return "";
    LVITEMW item = {};
    item.iSubItem = column;
    item.cchTextMax = CHARACTERS;
    item.pszText = reinterpret_cast<wchar_t*>(lent.address + sizeof item);
    lent.Write(0, &item, sizeof item);
    SendMessageW(GetDlgItem(in ? in : window_, listId), LVM_GETITEMTEXTW, row, lent.At());
    return Narrow(lent.Text(sizeof item, CHARACTERS));
}

std::vector<std::string> AtelierRobot::Problems() const
{
    std::vector<std::string> problems;
    const int rows = Rows(IDC_PROBLEMS);
    problems.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row)
        problems.push_back(Cell(IDC_PROBLEMS, row, 0) + "|" + Cell(IDC_PROBLEMS, row, 1) + "|" +
                           Cell(IDC_PROBLEMS, row, 2));
    return problems;
}

bool AtelierRobot::WaitFor(const std::function<bool()>& held, DWORD timeoutMs) const
{
    const DWORD patience = timeoutMs ? timeoutMs : PATIENCE_MS;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < patience; Sleep(50))
        if (held())
            return true;
    return held();
}
