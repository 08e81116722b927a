#include "quiz/loader.h"
#include "ui/app_globals.h"

HINSTANCE g_instance;
QuizRecord* g_quiz;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_instance = instance;
    g_quiz = new QuizRecord;
    LoadQuiz(*g_quiz);
    delete g_quiz;
    return 0;
}
