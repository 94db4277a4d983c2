# Runs harpix-check (through EMULATOR when set) on FIXTURE, or with --locate LOCATE, and compares
# its output with the file EXPECTED byte for byte; with EXPECT_EXIT, checks a failing run instead.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/WineLines.cmake)
if(DEFINED LOCATE)
  set(arguments --locate "${LOCATE}")
else()
  set(arguments "${FIXTURE}")
endif()
execute_process(COMMAND ${EMULATOR} ${CHECK} ${arguments}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
harpix_split_wine_lines("${errors}" errors wine)

if(DEFINED EXPECT_EXIT)
  string(REGEX MATCHALL "\n" error_lines "${errors}")
  list(LENGTH error_lines error_line_count)
  if(NOT status EQUAL EXPECT_EXIT OR NOT output STREQUAL "" OR NOT error_line_count EQUAL 1)
    message(FATAL_ERROR "expected exit ${EXPECT_EXIT}, no output and one error line; got exit "
                        "${status}, output [${output}], errors [${errors}]; Wine said:\n${wine}")
  endif()
  return()
endif()

if(NOT status EQUAL 0)
  message(FATAL_ERROR "harpix-check exited with ${status}: ${errors}\nWine said:\n${wine}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT output STREQUAL expected)
  string(LENGTH "${output}" got_length)
  string(LENGTH "${expected}" expected_length)
  message(FATAL_ERROR "output differs from ${EXPECTED} (${got_length} bytes, expected "
                      "${expected_length}; exit status ${status}):\n${output}\n"
                      "It said:\n${errors}\nWine said:\n${wine}")
endif()
