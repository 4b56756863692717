# GoogleTest: the installed package where there is one; otherwise Debian's
# source copy (/usr/src/googletest), which is how a cross build gets it.
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(VEXILOR_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VEXILOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Newer source trees name their targets GTest::* themselves.
  foreach(lib IN ITEMS gtest gtest_main gmock)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
endif()
include(GoogleTest)
