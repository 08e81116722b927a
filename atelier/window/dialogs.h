// What the atelier asks and tells the teacher in dialogs: the system's file,
// folder and colour dialogs, message boxes, and its own (the new quiz's
// layout, the question of unsaved changes, the offer of a recovery copy, a
// quiz created); and what it hands to the shell to open. They are routed
// through these functions so that in-process tests answer them; the program
// links the real ones (dialogs.cpp). Paths are UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum class SaveChoice { Save, Discard, Cancel };

// "Enregistrer les modifications de « name » ?": Enregistrer, Ne pas
// enregistrer, Annuler.
SaveChoice AskToSaveChanges(HWND owner, const std::wstring& name);

enum class RecoveryChoice { Recover, Ignore };

// What a crash left: text tells which quiz and when; Récupérer or Ignorer
// (closing the dialog ignores).
RecoveryChoice AskToRecover(HWND owner, const std::wstring& text);

enum class Created { Program, Page };
enum class CreatedChoice { OpenFolder, Try, Close };

// A quiz program or page created, told where the teacher looks: Ouvrir le
// dossier, Essayer le quiz (a program) or Ouvrir dans le navigateur (a
// page), Fermer (closing the dialog closes).
CreatedChoice TellCreated(HWND owner, Created what, const std::wstring& text);

// A message box with OK; icon is MB_ICONINFORMATION, MB_ICONWARNING or
// MB_ICONERROR.
void Tell(HWND owner, const std::wstring& text, UINT icon);

// The shell's "open" on file (a document opens in its program, a page in the
// default browser), with parameters for a program; false when it failed.
bool OpenInShell(HWND owner, const std::string& file, const std::wstring& parameters = L"");

// A question answered Oui or Non.
bool AskYesNo(HWND owner, const std::wstring& text);

// The layout of a new quiz, or -1 when the teacher cancels.
int ChooseLayout(HWND owner);

// What a file dialog offers to open or to save.
enum class FileChoice {
    Quiz,     // a source, a quiz program or page, to open
    Table,    // a spreadsheet saved as text, or GIFT, to import
    Picture,  // a question's picture
    Pictures, // several, one question each
    Sound,
    Sounds,
    Film,
    Films,
    Icon,        // the program's icon: a picture or an .ico
    Source,      // the source file, to save
    Program,     // the quiz program, to create
    Page,        // the quiz's web page, to create
    Work,        // pupils' work handed in, several, to add to the class's results
    Spreadsheet, // the class's results, to export
    Report,      // the class's results as a page to print
};

// Files to open: one, or several for the plural choices; false when the
// teacher cancels. folder is where the dialog starts ("" for its own).
bool ChooseFilesToOpen(HWND owner, FileChoice choice, const std::string& folder,
                       std::vector<std::string>& paths);

// A file to write, offered as suggested (a full path); asks before
// replacing one.
bool ChooseFileToSave(HWND owner, FileChoice choice, const std::string& suggested,
                      std::string& path);

// A folder, starting at start.
bool ChooseFolder(HWND owner, const std::wstring& title, const std::string& start,
                  std::string& folder);

// The system's colour dialog, starting at colour.
bool ChooseColour(HWND owner, COLORREF& colour);
