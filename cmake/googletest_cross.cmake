# The cross build compiles GoogleTest from the sources of Debian's googletest
# package: there is no MinGW build of the library to link.
set(GOOGLETEST_SOURCE /usr/src/googletest/googletest)
add_library(gtest STATIC ${GOOGLETEST_SOURCE}/src/gtest-all.cc)
target_include_directories(gtest SYSTEM PUBLIC ${GOOGLETEST_SOURCE}/include PRIVATE ${GOOGLETEST_SOURCE})
target_compile_options(gtest PRIVATE -w)
add_library(gtest_main STATIC ${GOOGLETEST_SOURCE}/src/gtest_main.cc)
target_link_libraries(gtest_main PUBLIC gtest)
target_compile_options(gtest_main PRIVATE -w)
add_library(GTest::gtest ALIAS gtest)
add_library(GTest::gtest_main ALIAS gtest_main)
