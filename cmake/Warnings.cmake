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
  endif()
endif()
