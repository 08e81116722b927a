# Windows tests run under Wine in a prefix kept inside the build tree, with
# the loader that matches the build's word size.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(WINE_LOADER /usr/lib/wine/wine64)
else()
  set(WINE_LOADER /usr/lib/wine/wine)
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)

# Making the prefix takes a minute or more the first time; it is a test of
# its own, so that the tests' timeouts count their own work only. It also
# starts the Wine session that the tests share, which the last test ends.
add_test(NAME wine_prefix COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh ${WINE_LOADER} --session)
add_test(NAME wine_session_end COMMAND wineserver -k)
set_tests_properties(wine_prefix wine_session_end PROPERTIES
  ENVIRONMENT WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix TIMEOUT 300)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
set_tests_properties(wine_session_end PROPERTIES FIXTURES_CLEANUP wine_prefix)

# Every Windows test has a timeout a few times its usual time, as Wine can
# hang where Windows would not; further properties may follow.
function(set_windows_test name timeout)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} FIXTURES_REQUIRED wine_prefix ${ARGN})
endfunction()
