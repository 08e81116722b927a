// The name of the pupil playing a quiz that asks for work, remembered on the
// machine beside the answers file: in the current directory, named after the
// program as the answers file is (quiz.exe remembers it in quiz-eleve.txt),
// one line of UTF-8.
#pragma once

#include <string>

std::wstring PupilNameFileName();

// The remembered name; empty when there is none, or none that a results
// file could carry (PupilNameProblem).
std::string RememberedPupilName();

// Written whole or not at all; false when it could not be.
bool RememberPupilName(const std::string& name);

// The name removed from the machine.
void ForgetPupilName();

// A name as typed (UTF-8) made one line: control characters become spaces,
// spaces around it are dropped.
std::string CleanPupilName(const std::string& typed);

// Why a cleaned name cannot be taken, told to the pupil; nullptr when it can.
const char* PupilNameProblem(const std::string& name);
