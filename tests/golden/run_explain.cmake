# Runs harpix-check (through EMULATOR when set) with --explain, --explain --json or --preview
# (MODE explain, json or preview) on FIXTURE, and compares what it prints with EXPECTED and, for
# a preview, the SVG it writes to SVG_OUT with EXPECTED_SVG, byte for byte; the exit status
# must be EXPECT_EXIT.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/WineLines.cmake)
if(MODE STREQUAL "json")
  set(arguments --explain --json "${FIXTURE}")
elseif(MODE STREQUAL "preview")
  file(REMOVE "${SVG_OUT}")
  set(arguments --preview "${FIXTURE}" "${SVG_OUT}")
else()
  set(arguments --explain "${FIXTURE}")
endif()
execute_process(COMMAND ${EMULATOR} ${CHECK} ${arguments}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
harpix_split_wine_lines("${errors}" errors wine)
if(NOT status EQUAL EXPECT_EXIT)
  message(FATAL_ERROR "harpix-check exited with ${status}, expected ${EXPECT_EXIT}: ${errors}\n"
                      "Wine said:\n${wine}")
endif()

# A run that printed nothing, or the wrong thing, also shows what Wine said about it.
function(compare got expected_file)
  file(READ "${expected_file}" expected)
  if(NOT got STREQUAL expected)
    message(FATAL_ERROR "output differs from ${expected_file} (exit status ${status}):\n${got}\n"
                        "It said:\n${errors}\nWine said:\n${wine}")
  endif()
endfunction()

compare("${output}" "${EXPECTED}")
if(MODE STREQUAL "preview")
  file(READ "${SVG_OUT}" svg)
  compare("${svg}" "${EXPECTED_SVG}")
endif()
