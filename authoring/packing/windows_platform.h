// The Windows half of the authoring tools: resources written into a copy of
// the player and read from a module with the resource calls of the platform,
// and the console. Paths are UTF-8 and become the wide names of the W calls.
#pragma once

#include "authoring/packing/packer_platform.h"
#include "authoring/packing/quiz_resources.h"

#include <string>
#include <vector>

// Copies player to a temporary file beside output, replaces the quiz
// resources it may carry ("PATCH" and "IMG") by resources, and its
// application icon by the quiz's icon when there is one among them, reads
// them back to check them, and only then moves the copy onto output. On
// failure the temporary file is removed and output is as it was.
bool WritePackedPlayer(const std::string& player, const std::string& output,
                       const std::vector<QuizResource>& resources, std::string& error);

// Every "PATCH" and "IMG" resource of a module with an integer identifier,
// and its application icon as an .ico file (ICON_RESOURCE_TYPE).
bool ReadModuleResources(const std::string& module, std::vector<QuizResource>& resources,
                         std::string& error);

// Whether two existing paths are one file (by volume and file index).
bool SameFile(const std::string& a, const std::string& b);

// The next line of standard input, without its LF: what a console gives
// (whatever its code page) as UTF-8, the bytes of a file or pipe as they
// are. False at the end of the input, or at Ctrl+Z on a line of its own at a
// console.
bool ReadInputLine(std::string& line);

// Whether standard input is a console, where someone types.
bool InputIsConsole();

// The platform of the real program: the default player beside this one.
PackerPlatform WindowsPlatform();

// Writes UTF-8 text to standard output or error: as UTF-16 to a console,
// which shows it in its own code page, and as UTF-8 bytes to a file or pipe.
void WriteText(bool toError, const std::string& utf8);
