// The quiz's own fields: its texts, layout, reveal mode, colour, answers per
// question, web site, icon and codes. Each change is told to the window
// (pane_messages.h), which shows it in the other panes.
#pragma once

// Fills the fields from g_document.
void ShowQuizFields();

// A command of one of the fields: true when it was one.
bool OnQuizFieldCommand(int id, int code);
