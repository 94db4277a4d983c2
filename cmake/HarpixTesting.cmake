# How the Windows tree runs its tests: under Wine, all of them sharing one Xvfb display that is
# started before the first and stopped, with Wine, after the last.
set(HARPIX_DISPLAY_FILE ${CMAKE_BINARY_DIR}/display.state)

# The Wine prefix where the stand-in script engine is registered (tests/scriptengine defines the
# fixture "standin" that registers it), warmed up here with the other.
set(HARPIX_STANDIN_PREFIX ${PROJECT_SOURCE_DIR}/build/wineprefix-standin CACHE PATH
    "The Wine prefix in which the stand-in script engine is registered for the tests")

# The fixture "display": Xvfb started, then both Wine prefixes made and warmed up by one small
# windowed program (harpix-tour --warm-up), so that what Wine does slowly only once happens
# before any timed test; after the last test, Wine in both prefixes and then Xvfb are ended.
function(harpix_add_display_fixture)
  set(display ${PROJECT_SOURCE_DIR}/scripts/display)
  add_test(NAME display.start COMMAND ${display} start ${HARPIX_DISPLAY_FILE})
  add_test(NAME display.warm_up
           COMMAND ${display} warm-up ${HARPIX_DISPLAY_FILE} $<TARGET_FILE:harpix-tour>)
  add_test(NAME display.stop COMMAND ${display} stop ${HARPIX_DISPLAY_FILE})
  set_tests_properties(display.start display.warm_up PROPERTIES FIXTURES_SETUP display)
  set_tests_properties(display.warm_up PROPERTIES DEPENDS display.start)
  set_tests_properties(display.stop PROPERTIES FIXTURES_CLEANUP display)
  set_tests_properties(display.start display.stop PROPERTIES TIMEOUT 120)
  # A new prefix takes a minute or two on a busy machine.
  set_tests_properties(display.warm_up PROPERTIES TIMEOUT 600)
  set_tests_properties(display.warm_up display.stop PROPERTIES
    ENVIRONMENT "HARPIX_STANDIN_PREFIX=${HARPIX_STANDIN_PREFIX}")
endfunction()

# Marks tests as Windows programs run under Wine: they need the shared display.
function(harpix_wine_tests)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${ARGN} PROPERTIES
      FIXTURES_REQUIRED display
      ENVIRONMENT "HARPIX_DISPLAY_FILE=${HARPIX_DISPLAY_FILE}")
  endif()
endfunction()

# Marks tests that put windows on the shared display and send them input: they take turns,
# because two Wine servers on one X display take the activation and the focus from each other.
function(harpix_display_tests)
  if(CMAKE_CROSSCOMPILING)
    set_property(TEST ${ARGN} APPEND PROPERTY RESOURCE_LOCK display_input)
  endif()
endfunction()

# Marks Windows tests that need the stand-in script engine, after harpix_wine_tests: they run in
# its prefix, after the fixture has registered it there.
function(harpix_standin_tests)
  set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED standin)
  set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT
               "HARPIX_WINEPREFIX=${HARPIX_STANDIN_PREFIX}")
endfunction()
