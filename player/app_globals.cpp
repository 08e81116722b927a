#include "player/app_globals.h"

HINSTANCE g_instance;
QuizRecord* g_quiz;
const QuizRules* g_rules;
HWND g_panel;
int ContentWidth;
int ContentHeight;
AtlAxAttachControlFunction g_atlAxAttachControl;
std::vector<unsigned char> g_workKey;
std::string g_pupilName;
