// Files dropped from the Explorer onto the atelier: a quiz, a table or a
// GIFT file opens; one file on a question (its row, or its fields and
// picture) becomes its medium, or its reveal picture on that field; files
// on the list become questions, one each; a picture on the icon field
// becomes the quiz's icon.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

// The files dropped, UTF-8.
std::vector<std::string> DroppedPaths(HDROP drop);

void OnDroppedFiles(HDROP drop);
