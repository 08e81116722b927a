#include "player/media_files.h"

#include "quiz/quiz_record.h"

#include <windows.h>

void DeleteFilmFiles()
{
    char name[MAX_PATH];
    for (int i = 1; i <= MAX_QUESTIONS; ++i) {
        wsprintfA(name, FILM_FILE_FORMAT, i);
        DeleteFileA(name);
    }
}
