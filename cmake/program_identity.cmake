# What each program's resource script needs to include
# resources/program_identity.rc: the project's version, as written in
# project() and as the four numbers of a VERSIONINFO, and a rebuild when the
# shared files change (windres reports no dependencies).
string(REPLACE "." ";" version_parts "${PROJECT_VERSION}.0.0.0")
list(SUBLIST version_parts 0 4 version_parts)
list(JOIN version_parts "," QUIZZ_VERSION_NUMBERS)

function(add_program_identity script)
  set_property(SOURCE ${script} APPEND PROPERTY COMPILE_DEFINITIONS
    QUIZZ_VERSION=${PROJECT_VERSION} QUIZZ_VERSION_NUMBERS=${QUIZZ_VERSION_NUMBERS})
  set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS
    ${PROJECT_SOURCE_DIR}/resources/program_identity.rc ${PROJECT_SOURCE_DIR}/resources/program.manifest)
endfunction()
