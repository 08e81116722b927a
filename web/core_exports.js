// Emscripten's minimal runtime, some 6 KB lighter than its full one, keeps
// the core's functions and memory to itself: here the module the page gets
// hands them over. The memory is read through a getter, as it is replaced
// when it grows.
Object.assign(Module, {
  _quizz_block, _quizz_load, _quizz_message, _quizz_layout, _quizz_question_count,
  _quizz_boxes_per_question, _quizz_reveal_mode, _quizz_colour, _quizz_text, _quizz_set_box,
  _quizz_box, _quizz_grade, _quizz_verdict_count, _quizz_verdict_text, _quizz_verdict_colour,
  _quizz_code, _quizz_answers_file, _quizz_answers_file_size, _quizz_read_answers_file,
  _quizz_media_type, _quizz_work_asked, _quizz_results, _quizz_results_file_name,
});
Object.defineProperty(Module, "HEAPU8", {get: function () { return HEAPU8; }});
