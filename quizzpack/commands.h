// The commands of quizzpack, on a platform that does the Windows half
// (authoring/packing/packer_platform.h):
//   quizzpack new FICHIER.toml [--layout texte|image|son|video]
//   quizzpack check FICHIER.toml
//   quizzpack build FICHIER.toml [-o QUIZ.exe] [--player quizz.exe]
//   quizzpack extract QUIZ.exe [-o DOSSIER]
//   quizzpack importer FICHIER [-o QUIZ.toml] [--disposition texte|image|son|video]
//   quizzpack essai QUIZ.toml [N[:2] RÉPONSE...]
//   quizzpack bilan QUIZ.toml|QUIZ.exe|QUIZ.html DOSSIER|FICHIER... [-o NOM]
//   quizzpack --help | --version
//   quizzpack COMMAND --help (also -h, and quizzpack --help COMMAND)
// Arguments, paths and messages are UTF-8; messages are French.
#pragma once

#include "authoring/packing/packer_platform.h"

#include <string>
#include <vector>

constexpr int EXIT_DONE = 0;
constexpr int EXIT_QUIZ_ERRORS = 1;
constexpr int EXIT_USAGE = 2; // usage errors and file errors

struct CommandOutput {
    std::string out; // results
    std::string err; // problems and errors
};

struct CommandLine {
    // "new", "check", "build", "page", "extract", "importer", "essai", "bilan",
    // "--help", "--version"
    std::string command;
    std::string file;
    std::string output;             // -o
    std::string player;             // --player
    std::string layout;             // --layout, or importer's --disposition
    std::string sheet;              // importer's --feuille
    std::vector<std::string> trial; // essai: N or N:2, then the answer's words
    std::vector<std::string> work;  // bilan: the folders and files of work handed in
    bool help = false;              // the command's help is asked for
};

// False with a French message for anything it cannot take.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error);

// args without the program name. Returns the exit code; memory running out
// is told and returns EXIT_USAGE.
int RunQuizzpack(const std::vector<std::string>& args, const PackerPlatform& platform,
                 CommandOutput& output);
