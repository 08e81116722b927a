// What each of the atelier's file dialogs offers: its filters, title and the
// extension given to a name typed without one. Kept apart from the dialogs,
// which the tests answer, so that the tests read them.
#pragma once

#include "atelier/window/dialogs.h"

#include <string>

struct FileDialogKind {
    FileChoice choice;
    std::wstring filter; // pairs of name and patterns, each ending in \0
    const wchar_t* title;
    const wchar_t* extension;
};

const FileDialogKind& FileDialogOf(FileChoice choice);
