# GoogleTest: the installed package where there is one; otherwise Debian's
# source copy (/usr/src/googletest), which is how a cross build gets it.
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(VEXILOR_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VEXILOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
  add_library(GTest::gmock ALIAS gmock)
endif()
include(GoogleTest)
