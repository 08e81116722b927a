// The atelier started as its own process and driven from outside, as a
// teacher would drive it: its fields set by identifier (which tells the
// atelier as typing does), its menu commands posted, and the system's file
// and folder dialogs and the atelier's own answered. Texts are UTF-8.
#pragma once

#include "tests/robot/player_process.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

extern std::string g_atelierPath;

// The recovery copies that ateliers left in this Wine prefix's local
// application data, where the atelier keeps them.
std::vector<std::string> RecoveryCopies();

class AtelierRobot {
public:
    // Starts the atelier, opening argument when there is one. Unless it is
    // to offer them, the recovery copies that earlier runs left go first.
    explicit AtelierRobot(const std::string& argument = "", bool offerRecovery = false);

    // The atelier's window once shown; nullptr if it never came.
    HWND Window() const { return window_; }

    // The class's results window ("Bilan de la classe") once shown; nullptr
    // if it never came. The calls below that take a window default to the
    // atelier's.
    HWND ClassResults() const;
    // Text put on the clipboard and pasted into the class's results, as the
    // teacher pastes a message's text (Ctrl+V).
    void PasteWork(const std::string& text) const;

    void SetText(int id, const std::string& text) const;
    std::string Text(int id, HWND in = nullptr) const;
    std::string Caption() const; // of the window
    void Click(int id) const;
    void Choose(int comboId, int index) const;     // as the teacher picks in the list
    void Command(int id, HWND to = nullptr) const; // a menu command or a button, posted
    void Close() const;                            // as the window's close box, posted

    // Waits for a dialog of the atelier's with this title.
    HWND WaitForDialog(const std::string& title) const;
    // Types path into a file dialog's name and presses its OK button.
    bool AnswerFileDialog(const std::string& title, const std::string& path) const;
    bool AnswerFolderDialog(const std::string& folder) const;
    // Checks one of a dialog's radio buttons, from first to last.
    bool ChooseInDialog(const std::string& title, int firstRadio, int lastRadio, int chosen) const;
    // Presses a button of the dialog; false when it never came.
    bool Press(const std::string& title, int button) const;
    // The texts of a message box then shown, which is answered OK.
    std::string AnswerMessageBox() const;

    // Selects a row of a list, as a click on it does.
    void SelectRow(int listId, int row) const;
    int Rows(int listId, HWND in = nullptr) const;
    std::string Cell(int listId, int row, int column, HWND in = nullptr) const;
    // The problems shown: "Erreur|Question 3, réponse|vide : ..." each.
    std::vector<std::string> Problems() const;

    // Waits up to timeoutMs (by default the patience of every step) for held.
    bool WaitFor(const std::function<bool()>& held, DWORD timeoutMs = 0) const;

    DWORD WaitForExit(DWORD timeoutMs) const { return process_.WaitForExit(timeoutMs); }

    // Ends the atelier as a crash or the task manager would, at once.
    void Kill() const;

private:
    PlayerProcess process_;
    HWND window_ = nullptr;
};
