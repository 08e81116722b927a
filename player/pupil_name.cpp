#include "player/pupil_name.h"

#include "player/answers_file.h"
#include "player/whole_file.h"
#include "quiz/pupil_results.h"

#include <windows.h>

#include <cstdio>

std::wstring PupilNameFileName()
{
    wchar_t answers[MAX_PATH];
    AnswersFileName(answers);
    std::wstring name = answers;
    // "quiz.txt" gives "quiz-eleve.txt": the program's name without its extension.
    if (name.size() >= 4)
        name.resize(name.size() - 4);
    return name + L"-eleve.txt";
}

std::string RememberedPupilName()
{
    std::string line;
    if (FILE* file = _wfopen(PupilNameFileName().c_str(), L"rb")) {
        // One byte more than a name may hold tells a name too long.
        for (int c; line.size() <= MAX_PUPIL_NAME && (c = fgetc(file)) != EOF && c != '\n';)
            line += static_cast<char>(c);
        fclose(file);
    }
    const std::string name = CleanPupilName(line);
    return PupilNameProblem(name) ? std::string() : name;
}

bool RememberPupilName(const std::string& name)
{
    return WriteWholeFile(PupilNameFileName(), name + "\r\n");
}

void ForgetPupilName()
{
    DeleteFileW(PupilNameFileName().c_str());
}

std::string CleanPupilName(const std::string& typed)
{
    std::string name = typed;
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    const size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

const char* PupilNameProblem(const std::string& name)
{
    if (name.empty())
        return "Votre prénom et votre nom manquent. Écrivez-les dans la case, puis recommencez.";
    if (name.size() > MAX_PUPIL_NAME)
        return "Ce nom est trop long. Écrivez seulement votre prénom et votre nom dans la case, "
               "puis recommencez.";
    return nullptr;
}
