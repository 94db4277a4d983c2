# Runs harpix-check (through EMULATOR when set) with --explain, --explain --json or --preview
# (MODE explain, json or preview) on FIXTURE, and compares what it prints with EXPECTED and, for
# a preview, the SVG it writes to SVG_OUT with EXPECTED_SVG, byte for byte; the exit status
# must be EXPECT_EXIT.
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
if(NOT status EQUAL EXPECT_EXIT)
  message(FATAL_ERROR "harpix-check exited with ${status}, expected ${EXPECT_EXIT}: ${errors}")
endif()

function(compare got expected_file)
  file(READ "${expected_file}" expected)
  if(NOT got STREQUAL expected)
    message(FATAL_ERROR "output differs from ${expected_file}:\n${got}")
  endif()
endfunction()

compare("${output}" "${EXPECTED}")
if(MODE STREQUAL "preview")
  file(READ "${SVG_OUT}" svg)
  compare("${svg}" "${EXPECTED_SVG}")
endif()
