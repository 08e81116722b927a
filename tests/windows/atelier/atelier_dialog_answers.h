// The answers that the in-process tests give the atelier's dialogs
// (atelier/window/dialogs.h), and what the atelier told or asked, or handed
// to the shell, meanwhile.
#pragma once

#include "atelier/window/dialogs.h"

#include <string>
#include <vector>

struct DialogAnswers {
    std::vector<std::string> told; // messages, and "save NAME ?" for each question asked
    SaveChoice saveChoice = SaveChoice::Cancel;
    RecoveryChoice recovery = RecoveryChoice::Ignore;
    CreatedChoice created = CreatedChoice::Close;
    int layout = -1;                // of a new quiz
    std::vector<std::string> files; // to open
    std::string savedAs;            // the file to save
    std::string folder;
    std::string offered; // where the last file or folder dialog started: a folder, or the file
                         // to save
    std::vector<Created> createdTold; // what each "created" dialog told of
    std::vector<std::string> opened;  // what the shell was asked to open, with its parameters
    COLORREF colour = RGB(255, 255, 255);
};

DialogAnswers& Answers();
