# Makes the script SCRIPT_NAME.spt from SOURCE with MAKE_SCRIPT (--no-check: a golden may hold a
# script the stand-in engine cannot compile), in WORK_DIR/RuntimeFiles or, with ELSEWHERE, in
# WORK_DIR/scripts; runs harpix-check --new-demo (through EMULATOR when set) into
# WORK_DIR/Harpix.ini and compares what it prints with EXPECTED_OUT and the file it writes with
# EXPECTED_INI, byte for byte, its exit status with EXPECT_EXIT. A second run must refuse to
# replace the file; with FORCE, a third, --force, must replace it. With CLEAN, --preview of the
# file, the script beside it, draws it and finds nothing to say (it prints what --explain would).
#
# With REFUSAL, the run must write nothing to OUT (default Harpix.ini), print nothing, say
# "harpix-check: REFUSAL" and exit with 2; COPY, when set, is the script's file as it is.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/WineLines.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
if(ELSEWHERE)
  set(script scripts/${SCRIPT_NAME}.spt)
else()
  set(script RuntimeFiles/${SCRIPT_NAME}.spt)
endif()
get_filename_component(script_folder "${WORK_DIR}/${script}" DIRECTORY)
file(MAKE_DIRECTORY "${script_folder}")
if(COPY)
  configure_file("${COPY}" "${WORK_DIR}/${script}" COPYONLY)
else()
  execute_process(COMMAND ${MAKE_SCRIPT} --no-check ${SOURCE} ${WORK_DIR}/${script}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "harpix-make-script exited with ${status}")
  endif()
endif()
if(NOT OUT)
  set(OUT Harpix.ini)
endif()

function(new_demo expect_exit)
  execute_process(COMMAND ${EMULATOR} ${CHECK} --new-demo ${ARGN} ${script} ${OUT}
                  WORKING_DIRECTORY "${WORK_DIR}"
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  harpix_split_wine_lines("${errors}" errors wine)
  if(NOT status EQUAL expect_exit)
    message(FATAL_ERROR "--new-demo exited with ${status}, expected ${expect_exit}: ${errors}\n"
                        "Wine said:\n${wine}")
  endif()
  set(output "${output}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
  set(wine "${wine}" PARENT_SCOPE)
endfunction()

function(compare got expected_file)
  file(READ "${expected_file}" expected)
  if(NOT got STREQUAL expected)
    message(FATAL_ERROR "differs from ${expected_file}:\n${got}\nWine said:\n${wine}")
  endif()
endfunction()

if(REFUSAL)
  new_demo(2)
  if(NOT output STREQUAL "" OR NOT errors STREQUAL "harpix-check: ${REFUSAL}\n"
     OR EXISTS "${WORK_DIR}/${OUT}")
    message(FATAL_ERROR "expected no file, no output and [harpix-check: ${REFUSAL}], got "
                        "[${output}] [${errors}]")
  endif()
  return()
endif()

# As hexadecimal digits: a plain READ would not tell CR LF from LF.
function(compare_file)
  file(READ "${WORK_DIR}/Harpix.ini" written HEX)
  file(READ "${EXPECTED_INI}" expected HEX)
  if(NOT written STREQUAL expected)
    file(READ "${WORK_DIR}/Harpix.ini" text)
    message(FATAL_ERROR "Harpix.ini differs from ${EXPECTED_INI}:\n${text}")
  endif()
endfunction()

new_demo(${EXPECT_EXIT})
compare("${output}" "${EXPECTED_OUT}")
compare_file()

if(FORCE)
  file(WRITE "${WORK_DIR}/Harpix.ini" "Title Mine\nEnd Ini\n")
endif()
file(READ "${WORK_DIR}/Harpix.ini" before HEX)
new_demo(2)
file(READ "${WORK_DIR}/Harpix.ini" again HEX)
if(NOT output STREQUAL "" OR NOT errors MATCHES "already exists" OR NOT again STREQUAL before)
  message(FATAL_ERROR "a second run replaced Harpix.ini or said [${output}] [${errors}]")
endif()

if(FORCE)
  new_demo(${EXPECT_EXIT} --force)
  compare("${output}" "${EXPECTED_OUT}")
  compare_file()
endif()

if(CLEAN)
  file(COPY "${WORK_DIR}/${script}" DESTINATION "${WORK_DIR}/RuntimeFiles")
  execute_process(COMMAND ${EMULATOR} ${CHECK} --preview Harpix.ini preview.svg
                  WORKING_DIRECTORY "${WORK_DIR}"
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  harpix_split_wine_lines("${errors}" errors wine)
  if(NOT status EQUAL 0 OR NOT output STREQUAL "" OR NOT EXISTS "${WORK_DIR}/preview.svg")
    message(FATAL_ERROR "--preview exited with ${status} and said:\n${output}${errors}\n"
                        "Wine said:\n${wine}")
  endif()
endif()
