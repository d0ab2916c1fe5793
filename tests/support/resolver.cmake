# The host look-up.
#
# Its contract checks that need no particular name join the other support
# tests (one binary fewer to start under Wine). The checks against the real
# resolver need the names of hosts.test and must never reach the machine's own
# resolver, so ctest runs that binary only through with-private-hosts: natively,
# and under Wine, whose socket library asks the same host resolver.
target_sources(support_tests PRIVATE resolver_contract_test.cpp)
target_link_libraries(support_tests PRIVATE morvik_resolver)

add_executable(resolver_tests real_resolver_test.cpp)
target_link_libraries(resolver_tests PRIVATE morvik_resolver GTest::gtest_main)
target_include_directories(resolver_tests PRIVATE ${PROJECT_SOURCE_DIR})
if(WIN32)
  # The test checks the socket library's start count itself.
  target_link_libraries(resolver_tests PRIVATE wsock32)
endif()

add_test(NAME resolver_tests
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/with-private-hosts
          ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:resolver_tests>)
if(CMAKE_CROSSCOMPILING)
  morvik_wine_test_properties(resolver_tests)
  # One Wine process start under emulation took 8 to 11 minutes on a busy
  # two-core machine; the tests themselves take milliseconds.
  set_tests_properties(resolver_tests PROPERTIES TIMEOUT ${MORVIK_WINE_TEST_TIMEOUT})
else()
  set_tests_properties(resolver_tests PROPERTIES TIMEOUT 120)
endif()
