// The atelier's dialogs answered by the in-process tests: what each would
// have shown is recorded, and the answers are the tests' to set.
#include "tests/windows/atelier/atelier_dialog_answers.h"

#include "authoring/packing/windows_platform.h"
#include "win32/wide_text.h"

DialogAnswers& Answers()
{
    static DialogAnswers answers;
    return answers;
}

SaveChoice AskToSaveChanges(HWND, const std::wstring& name)
{
    Answers().told.push_back("save " + Narrow(name) + " ?");
    return Answers().saveChoice;
}

RecoveryChoice AskToRecover(HWND, const std::wstring& text)
{
    Answers().told.push_back(Narrow(text));
    return Answers().recovery;
}

CreatedChoice TellCreated(HWND, Created what, const std::wstring& text)
{
    Answers().told.push_back(Narrow(text));
    Answers().createdTold.push_back(what);
    return Answers().created;
}

void Tell(HWND, const std::wstring& text, UINT)
{
    Answers().told.push_back(Narrow(text));
}

bool OpenInShell(HWND, const std::string& file, const std::wstring& parameters)
{
    Answers().opened.push_back(parameters.empty() ? file : file + " " + Narrow(parameters));
    return true;
}

bool AskYesNo(HWND, const std::wstring& text)
{
    Answers().told.push_back(Narrow(text));
    return false;
}

int ChooseLayout(HWND)
{
    return Answers().layout;
}

bool ChooseFilesToOpen(HWND, FileChoice, const std::string& folder, std::vector<std::string>& paths)
{
    Answers().offered = folder;
    paths = Answers().files;
    return !paths.empty();
}

bool ChooseFileToSave(HWND, FileChoice, const std::string& suggested, std::string& path)
{
    Answers().offered = suggested;
    path = Answers().savedAs;
    return !path.empty();
}

bool ChooseFolder(HWND, const std::wstring&, const std::string& start, std::string& folder)
{
    Answers().offered = start;
    folder = Answers().folder;
    return !folder.empty();
}

bool ChooseColour(HWND, COLORREF& colour)
{
    colour = Answers().colour;
    return true;
}
