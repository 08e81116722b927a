// The Windows half that packing and extraction run on: writing a copy of the
// player with a quiz's resources, reading a program's resources back,
// comparing files, decoding pictures, reading standard input. The portable
// core takes it as a record of functions: the fronts hand it WindowsPlatform()
// (windows_platform.h), the native tests a fake.
#pragma once

#include "authoring/media/picture_decoder.h"
#include "authoring/packing/quiz_resources.h"

#include <functional>
#include <string>
#include <vector>

struct PackerPlatform {
    std::string toolDirectory; // where the default player stands
    // Writes a copy of player carrying resources at output, in place only
    // once complete; player is never changed.
    std::function<bool(const std::string& player, const std::string& output,
                       const std::vector<QuizResource>& resources, std::string& error)>
        writePlayer;
    // The "PATCH" and "IMG" resources of a module, types in upper case, and
    // its application icon as an .ico file (media/quiz_icon.h).
    std::function<bool(const std::string& module, std::vector<QuizResource>& resources,
                       std::string& error)>
        readResources;
    // Whether two existing paths name the same file.
    std::function<bool(const std::string& a, const std::string& b)> sameFile;
    // The platform's picture decoder, for pictures the player would not show
    // at their best as they are.
    PictureDecoder decodePicture;
    // The next line of standard input without its LF; false at its end. A
    // console gives UTF-8, a file or a pipe its own bytes.
    std::function<bool(std::string& line)> readInputLine;
    bool consoleInput = false; // someone types at a console, who needs telling how
};
