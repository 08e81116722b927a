# What each program's resource script needs to include
# resources/program_identity.rc: the project's version, as written in
# project() and as the four numbers of a VERSIONINFO, and a rebuild when the
# shared files change (windres reports no dependencies).
string(REPLACE "." ";" version_parts "${PROJECT_VERSION}.0.0.0")
list(SUBLIST version_parts 0 4 version_parts)
list(JOIN version_parts "," QUIZZ_VERSION_NUMBERS)

# The manifests, made from one template: with the common controls of old,
# or (COMMON_CONTROLS_6) with today's.
set(manifests ${PROJECT_BINARY_DIR}/manifests)
set(COMMON_CONTROLS "")
configure_file(${PROJECT_SOURCE_DIR}/resources/program.manifest.in ${manifests}/program.manifest @ONLY)
set(COMMON_CONTROLS [[
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>]])
configure_file(${PROJECT_SOURCE_DIR}/resources/program.manifest.in ${manifests}/common-controls-6.manifest @ONLY)

#   add_program_identity(SCRIPT [COMMON_CONTROLS_6])
function(add_program_identity script)
  set(manifest program.manifest)
  if(ARGV1 STREQUAL "COMMON_CONTROLS_6")
    set(manifest common-controls-6.manifest)
    set_property(SOURCE ${script} APPEND PROPERTY COMPILE_DEFINITIONS COMMON_CONTROLS_6)
  endif()
  set_property(SOURCE ${script} APPEND PROPERTY COMPILE_DEFINITIONS
    QUIZZ_VERSION=${PROJECT_VERSION} QUIZZ_VERSION_NUMBERS=${QUIZZ_VERSION_NUMBERS})
  set_property(SOURCE ${script} APPEND PROPERTY INCLUDE_DIRECTORIES ${manifests})
  set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS
    ${PROJECT_SOURCE_DIR}/resources/program_identity.rc ${manifests}/${manifest})
endfunction()
