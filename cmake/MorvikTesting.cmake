# Test helpers shared by every tests/ folder.
#
# Natively each GoogleTest case becomes its own ctest entry. Under Wine a process
# start costs a good fraction of a second, so there each binary is one ctest
# entry; scripts/test adds up the GoogleTest counts from the log for both builds.

if(CMAKE_CROSSCOMPILING)
  set(MORVIK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  # Window tests draw on a private X server, whatever display the user has.
  set(MORVIK_TEST_DISPLAY ":93" CACHE STRING "X display of the Xvfb that Windows tests use")
  set(MORVIK_WINE_ENVIRONMENT
      "WINEPREFIX=${MORVIK_WINEPREFIX}"
      "DISPLAY=${MORVIK_TEST_DISPLAY}"
      "WINEARCH=win32"
      "WINEDEBUG=-all"
      "WINEDLLOVERRIDES=mscoree,mshtml=")
endif()

# Marks tests that run under Wine: they get the project-local prefix and wait
# for the prefix to be created once, so that parallel tests do not race for it.
function(morvik_wine_test_properties)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${ARGN} PROPERTIES
      ENVIRONMENT "${MORVIK_WINE_ENVIRONMENT}"
      FIXTURES_REQUIRED wineprefix
      TIMEOUT 1200)
  endif()
endfunction()

# morvik_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
function(morvik_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    morvik_wine_test_properties(${name})
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
