// What the web page calls in the cores, compiled with them by Emscripten
// (page_core.cpp says what each does); the native tests call the same.
#pragma once

extern "C" {
unsigned char* quizz_block(int size);
int quizz_load(unsigned char* quiz, int quizSize, unsigned char* codes, int codesSize,
               unsigned char* site, int siteSize, unsigned char* rules, int rulesSize,
               unsigned char* workKey, int workKeySize);
const char* quizz_message(int index);
int quizz_layout();
int quizz_question_count();
int quizz_boxes_per_question();
int quizz_reveal_mode();
int quizz_colour();
const char* quizz_text(int which, int question);
void quizz_set_box(int box, char* utf8);
const char* quizz_box(int box);
int quizz_grade(int question);
int quizz_verdict_count();
const char* quizz_verdict_text(int index);
int quizz_verdict_colour(int index);
const char* quizz_code(int solved);
const char* quizz_answers_file();
int quizz_answers_file_size();
void quizz_read_answers_file(char* bytes, int size);
const char* quizz_media_type(unsigned char* bytes, int size);
int quizz_work_asked();
const char* quizz_results(char* name, char* date, int block);
const char* quizz_results_file_name(char* name);
}
