# Test helpers shared by every tests/ folder.
#
# Natively each GoogleTest case becomes its own ctest entry. Under Wine a process
# start costs a good fraction of a second, so there each binary is one ctest
# entry; scripts/test adds up the GoogleTest counts from the log for both builds.

if(CMAKE_CROSSCOMPILING)
  set(MORVIK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  # 64-bit programs go straight to the 64-bit loader: Debian's "wine" prefers
  # the 32-bit one, which is emulated on kernels without 32-bit support.
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    find_program(MORVIK_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
    find_program(MORVIK_WINE NAMES wine64 wine REQUIRED)
    set(default_display ":94")
    # Unemulated, a process starts in a fraction of a second: a session that
    # is not up in minutes will not come up.
    set(MORVIK_WINE_TEST_TIMEOUT 300)
    set(wine_bounds "MORVIK_WINE_START_SECONDS=180" "MORVIK_WINE_PREFIX_SECONDS=600")
  else()
    find_program(MORVIK_WINE NAMES wine REQUIRED)
    set(default_display ":93")
    # Emulated 32-bit Wine: one process start took 8 to 11 minutes on a busy
    # two-core machine.
    set(MORVIK_WINE_TEST_TIMEOUT 1200)
    set(wine_bounds)
  endif()
  # Window tests draw on a private X server, whatever display the user has;
  # each Windows build has its own, so that both suites can run at once.
  set(MORVIK_TEST_DISPLAY "${default_display}" CACHE STRING "X display of the Xvfb that Windows tests use")
  # One kind of prefix, made by 64-bit Wine, serves both builds: it is the
  # kind a fresh machine can make in seconds, and it runs 32-bit programs too.
  set(MORVIK_WINE_ENVIRONMENT
      "WINEPREFIX=${MORVIK_WINEPREFIX}"
      "MORVIK_WINE=${MORVIK_WINE}"
      "DISPLAY=${MORVIK_TEST_DISPLAY}"
      "WINEARCH=win64"
      "WINEDEBUG=-all"
      "WINEDLLOVERRIDES=mscoree,mshtml="
      ${wine_bounds})
endif()

# Marks tests that run under Wine: they get the project-local prefix and wait
# for the prefix to be created once, so that parallel tests do not race for it.
function(morvik_wine_test_properties)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${ARGN} PROPERTIES
      ENVIRONMENT "${MORVIK_WINE_ENVIRONMENT}"
      FIXTURES_REQUIRED wineprefix
      TIMEOUT ${MORVIK_WINE_TEST_TIMEOUT})
  endif()
endfunction()

# morvik_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
function(morvik_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} ${ARG_ARGS})
    morvik_wine_test_properties(${name})
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# morvik_add_command_line_tests(<name> SOURCES <files...> LIBS <targets...>)
# The suites of morvik-cli's libraries: one binary each natively; under Wine,
# where every process start costs up to a minute, all of them are gathered
# into one binary, cli_tests, made by morvik_add_gathered_command_line_tests().
function(morvik_add_command_line_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT CMAKE_CROSSCOMPILING)
    morvik_add_gtest(${name} SOURCES ${ARG_SOURCES} LIBS ${ARG_LIBS})
    return()
  endif()
  list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  set_property(GLOBAL APPEND PROPERTY MORVIK_COMMAND_LINE_TEST_SOURCES ${ARG_SOURCES})
  set_property(GLOBAL APPEND PROPERTY MORVIK_COMMAND_LINE_TEST_LIBS ${ARG_LIBS})
endfunction()

function(morvik_add_gathered_command_line_tests)
  get_property(sources GLOBAL PROPERTY MORVIK_COMMAND_LINE_TEST_SOURCES)
  get_property(libs GLOBAL PROPERTY MORVIK_COMMAND_LINE_TEST_LIBS)
  if(sources)
    list(REMOVE_DUPLICATES libs)
    # Wine has no icu.dll: the suites of what needs ICU's character data
    # (hidden characters, their escapes, the ASCII look-alike table) run
    # natively only; there each one runs and must pass.
    set(needs_icu_data
        AsciiSiteLookAlikeTest CharacterClassTest CharacterLabelTest DrawnTextTest HiddenCellTest
        HiddenCharactersTest InvisibleBelongsTest LoadBrandsTest VisualOrderTest)
    list(TRANSFORM needs_icu_data APPEND ".*")
    list(TRANSFORM needs_icu_data PREPEND "*")
    list(JOIN needs_icu_data ":" excluded)
    morvik_add_gtest(cli_tests SOURCES ${sources} LIBS ${libs} ARGS "--gtest_filter=-${excluded}")
  endif()
endfunction()
