# Makes the script SCRIPT_NAME.spt from SOURCE with MAKE_SCRIPT (--no-check: a golden may hold a
# script the stand-in engine cannot compile), in WORK_DIR/RuntimeFiles or, with ELSEWHERE, in
# WORK_DIR/scripts; runs harpix-check --new-demo (through EMULATOR when set) into
# WORK_DIR/Harpix.ini and compares what it prints with EXPECTED_OUT and the file it writes with
# EXPECTED_INI, byte for byte, its exit status with EXPECT_EXIT. A second run must refuse to
# replace the file. With CLEAN, --preview of the file, the script beside it, draws it and finds
# nothing to say (it prints what --explain would).
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/WineLines.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
if(ELSEWHERE)
  set(script scripts/${SCRIPT_NAME}.spt)
else()
  set(script RuntimeFiles/${SCRIPT_NAME}.spt)
endif()
get_filename_component(script_folder "${WORK_DIR}/${script}" DIRECTORY)
file(MAKE_DIRECTORY "${script_folder}")
execute_process(COMMAND ${MAKE_SCRIPT} --no-check ${SOURCE} ${WORK_DIR}/${script}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "harpix-make-script exited with ${status}")
endif()

function(new_demo expect_exit)
  execute_process(COMMAND ${EMULATOR} ${CHECK} --new-demo ${script} Harpix.ini
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

new_demo(${EXPECT_EXIT})
compare("${output}" "${EXPECTED_OUT}")
# As hexadecimal digits: a plain READ would not tell CR LF from LF.
file(READ "${WORK_DIR}/Harpix.ini" written HEX)
file(READ "${EXPECTED_INI}" expected HEX)
if(NOT written STREQUAL expected)
  file(READ "${WORK_DIR}/Harpix.ini" text)
  message(FATAL_ERROR "Harpix.ini differs from ${EXPECTED_INI}:\n${text}")
endif()

new_demo(2)
file(READ "${WORK_DIR}/Harpix.ini" again HEX)
if(NOT output STREQUAL "" OR NOT errors MATCHES "already exists" OR NOT again STREQUAL written)
  message(FATAL_ERROR "a second run replaced Harpix.ini or said [${output}] [${errors}]")
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
