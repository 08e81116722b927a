// Emscripten's minimal runtime, some 6 KB lighter than its full one, keeps
// the core's functions and memory to itself: here the module the page gets
// hands them over. The memory never grows (web/CMakeLists.txt), so its view
// stays the same.
Object.assign(Module, {
  _quizz_block, _quizz_load, _quizz_message, _quizz_number, _quizz_text, _quizz_set_box,
  _quizz_box, _quizz_grade, _quizz_verdict_text, _quizz_verdict_colour, _quizz_code,
  _quizz_answers_file, _quizz_read_answers_file, _quizz_media_type, _quizz_results,
  _quizz_results_file_name, HEAPU8,
});
