# One interface target carries the warning set; every project target links it.
add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wcast-align -Wunused
  -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion -Wformat=2
  -Wimplicit-fallthrough)
option(KOVRA_WERROR "Treat warnings as errors" ON)
if(KOVRA_WERROR)
  target_compile_options(project_warnings INTERFACE -Werror)
endif()
