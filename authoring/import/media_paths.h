// A media path of an imported file as the written source must name it. A
// spreadsheet made on Windows writes "images\chat.jpg", the source wants
// "images/chat.jpg"; and the path starts from the imported file's folder,
// so it is rewritten when the source goes to another folder.
#pragma once

#include <string>

struct MovedPath {
    std::string path;
    bool slashes = false;       // backslashes became slashes
    bool moved = false;         // rewritten for the other folder
    bool inexpressible = false; // no relative path joins the folders (two drives): absolute
};

// path is named from the folder of fromFile and must be named from that of
// toFile, both files as the command line gives them (relative to the
// current folder or absolute). An absolute path ("/...", "C:/...",
// "//server/...") stays as it is.
MovedPath MoveMediaPath(const std::string& path, const std::string& fromFile,
                        const std::string& toFile);
