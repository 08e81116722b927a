# Puts the page's styles and code, the page's script and the grading core
# minified together, into page.html's places: one file, no request.
set(ENV{NODE_PATH} /usr/share/nodejs)
file(READ ${CORE} core)
file(READ ${SOURCE}/page.js page)
file(WRITE ${WORK}/page_all.js "${core}\n${page}")
execute_process(
  COMMAND ${TERSER} ${WORK}/page_all.js --compress passes=2 --mangle -o ${WORK}/page_all.min.js
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "terser could not minify the page's code")
endif()
file(READ ${WORK}/page_all.min.js script)
file(READ ${SOURCE}/page.css styles)
# The styles without their comments and runs of blanks: a few hundred bytes
# of every quiz page.
string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" styles "${styles}")
string(REGEX REPLACE "[ \n]+" " " styles "${styles}")
string(REGEX REPLACE " ?([{};,>]) ?" "\\1" styles "${styles}")
string(REPLACE ": " ":" styles "${styles}")
file(READ ${SOURCE}/page.html html)
# A script's text must not end its element early.
string(FIND "${script}" "</script" closing)
if(NOT closing EQUAL -1)
  message(FATAL_ERROR "the page's code holds </script")
endif()
string(REPLACE "/*quizz:styles*/" "${styles}" html "${html}")
string(REPLACE "/*quizz:code*/" "${script}" html "${html}")
file(WRITE ${OUTPUT}.new "${html}")
file(RENAME ${OUTPUT}.new ${OUTPUT})
