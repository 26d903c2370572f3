# GoogleTest comes from Debian's source package, so that the very same tests
# build natively and with the MinGW cross compiler.
enable_testing()
set(KOVRA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${KOVRA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(GoogleTest)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KOVRA_WINEARCH win64)
else()
  set(KOVRA_WINEARCH win32)
endif()
set(KOVRA_WINE_ENV "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;KOVRA_WINEARCH=${KOVRA_WINEARCH}")

if(CMAKE_CROSSCOMPILING)
  # All Wine tests share one prefix and one persistent wineserver, started by
  # a setup fixture and stopped by a cleanup fixture.
  add_test(NAME wine_start COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-run --start)
  add_test(NAME wine_stop COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-run --stop)
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
  set_tests_properties(wine_start wine_stop PROPERTIES
    ENVIRONMENT "${KOVRA_WINE_ENV}")
endif()

# kovra_add_test(name SOURCES... LIBS...) builds a GoogleTest program and
# registers it: each test case separately natively, the program as one test
# under Wine (listing cases through Wine would start it once per case).
function(kovra_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main project_warnings)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine
      ENVIRONMENT "${KOVRA_WINE_ENV}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
