# No pane of the atelier's window includes another pane's header, nor the
# window's coordination: a pane tells the window what changed
# (pane_messages.h) and the window refreshes the others. Every file of
# atelier/window/ is a pane but the window's own, named here; a pane may use
# only these shared headers.
#   cmake -DWINDOW_DIR=.../atelier/window -P pane_includes.cmake
cmake_minimum_required(VERSION 3.25)
set(WINDOW_OWN atelier_window editor file_commands dropped_files editor_controls atelier_state
    control_ids dialogs pane_messages)
set(SHARED atelier_state control_ids dialogs editor_controls pane_messages)

file(GLOB files RELATIVE ${WINDOW_DIR} ${WINDOW_DIR}/*.h ${WINDOW_DIR}/*.cpp)
set(faults 0)
set(panes 0)
foreach(file ${files})
  string(REGEX REPLACE "\\.(h|cpp)$" "" pane ${file})
  if(pane IN_LIST WINDOW_OWN)
    continue()
  endif()
  math(EXPR panes "${panes} + 1")
  file(STRINGS ${WINDOW_DIR}/${file} includes REGEX "^#include \"atelier/window/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"atelier/window/([a-z_]+)\\.h\".*" "\\1" header "${line}")
    if(NOT header STREQUAL pane AND NOT header IN_LIST SHARED)
      message(SEND_ERROR "${file} includes ${header}.h: tell the window by a message of "
                         "pane_messages.h, and let the window call ${header}")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
if(panes EQUAL 0)
  message(FATAL_ERROR "no pane found in ${WINDOW_DIR}")
endif()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} pane includes of another pane or of the window")
endif()
message(STATUS "${panes} pane files, none including another pane")
