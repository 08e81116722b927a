# Warnings and text encoding for every target of the tree.
add_compile_options(-Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # The program's texts are Windows-1252 bytes; sources are UTF-8. Clang only
  # knows UTF-8 here, which is why the fuzz build (clang) goes without.
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP1252)
endif()
if(QUIZZ_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QUIZZ_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
if(WIN32)
  # One self-contained executable: no MinGW runtime DLLs beside it.
  add_link_options(-static)
  # Shipped without the static runtime's symbols: they would double its size.
  add_link_options($<$<CONFIG:Release>:-s>)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)
endif()
include_directories(${PROJECT_SOURCE_DIR})
