# How the Windows tree runs its tests: under Wine, all of them sharing one Xvfb display that is
# started before the first and stopped, with Wine, after the last.
set(HARPIX_DISPLAY_FILE ${CMAKE_BINARY_DIR}/display.state)

# The Wine prefix where this tree's stand-in script engine is registered, in the registry view of
# its build, for the tests that need it.
set(HARPIX_STANDIN_PREFIX ${PROJECT_SOURCE_DIR}/build/wineprefix-standin CACHE PATH
    "The Wine prefix in which the stand-in script engine is registered for the tests")

# The fixture "display", for the whole of a tier: Xvfb started; then both Wine prefixes made
# ready (fonts linked, this tree's stand-in engine registered in its prefix), one Wine server
# kept running for each, and each warmed up by this tree's own staged demo, so that what Wine
# does slowly or differently only once happens before any timed test, and no test meets a
# server that is starting or ending; after the last test, both servers and then Xvfb are ended.
# A warm-up that fails says why, and no test of the tier runs.
function(harpix_add_display_fixture)
  set(display ${PROJECT_SOURCE_DIR}/scripts/display)
  add_test(NAME display.start COMMAND ${display} start ${HARPIX_DISPLAY_FILE})
  add_test(NAME display.warm_up
           COMMAND ${display} warm-up ${HARPIX_DISPLAY_FILE} $<TARGET_FILE:harpix-tour>
                   ${HARPIX_DEMO_DIR} $<TARGET_FILE:harpix_script_engine>)
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
# its prefix, where the display fixture has registered it.
function(harpix_standin_tests)
  set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT
               "HARPIX_WINEPREFIX=${HARPIX_STANDIN_PREFIX}")
endfunction()
