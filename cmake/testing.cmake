# Test registration shared by every folder.
#
# vandrels_add_gtest(<name> SOURCES <files...> [LIBS <targets...>] [ENVIRONMENT "K=V"...])
# In the windows tree the program runs under Wine (see scripts/wine-run.sh) and needs
# the wine_session fixture, which prepares the prefix and a display once per ctest run.

set(VANDRELS_HARNESS_DIR ${CMAKE_BINARY_DIR}/harness)
set(VANDRELS_SCRIPTS_DIR ${PROJECT_SOURCE_DIR}/scripts)

function(vandrels_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  vandrels_test_environment(${name} ${T_ENVIRONMENT})
endfunction()

# Gives a registered test the harness's environment (and, under Wine, its fixture).
function(vandrels_test_environment name)
  set(env VANDRELS_HARNESS_DIR=${VANDRELS_HARNESS_DIR} ${ARGN})
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${env})
  if(VANDRELS_WINDOWS)
    set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED wine_session)
    get_property(timeout TEST ${name} PROPERTY TIMEOUT)
    if(NOT timeout)
      set_property(TEST ${name} PROPERTY TIMEOUT 300)
    endif()
  endif()
endfunction()

if(VANDRELS_WINDOWS)
  add_test(NAME wine_session_up COMMAND ${VANDRELS_SCRIPTS_DIR}/harness.sh up ${VANDRELS_HARNESS_DIR})
  set_tests_properties(wine_session_up PROPERTIES FIXTURES_SETUP wine_session TIMEOUT 180)
  add_test(NAME wine_session_down COMMAND ${VANDRELS_SCRIPTS_DIR}/harness.sh down ${VANDRELS_HARNESS_DIR})
  set_tests_properties(wine_session_down PROPERTIES FIXTURES_CLEANUP wine_session TIMEOUT 60)
endif()
