# vexilor_warnings: an interface target that every project target links, so
# the warning flags live in one place.
add_library(vexilor_warnings INTERFACE)
if(MSVC)
  target_compile_options(vexilor_warnings INTERFACE /W4)
  if(VEXILOR_WERROR)
    target_compile_options(vexilor_warnings INTERFACE /WX)
  endif()
else()
  target_compile_options(vexilor_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(VEXILOR_WERROR)
    target_compile_options(vexilor_warnings INTERFACE -Werror)
    # GCC 12 at -O3 (Release) reports -Wrestrict inside libstdc++ for a short
    # literal assigned to a std::string, a known false positive; keep it a
    # warning there. Only in Release, so that the other builds' compile
    # commands carry no option that clang-tidy does not know.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(vexilor_warnings INTERFACE $<$<CONFIG:Release>:-Wno-error=restrict>)
    endif()
  endif()
endif()
