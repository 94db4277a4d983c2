# Runs harpix-make-script as a demo author would: makes a script file from a source, reads it
# back with --dump, and checks that a source with a syntax error is refused with its place.
# Arguments: TOOL, EMULATOR (empty on the host), SOURCE_DIR, WORK_DIR.
# Output goes through files, not pipes: under Wine the wineserver that the first run starts
# inherits the pipes and holds them open for seconds after each run has ended.
function(run_tool result_var output_var)
  execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGN}
                  RESULT_VARIABLE result
                  OUTPUT_FILE ${WORK_DIR}/tool.out ERROR_FILE ${WORK_DIR}/tool.err
                  TIMEOUT 60)
  file(READ ${WORK_DIR}/tool.out output)
  file(READ ${WORK_DIR}/tool.err errors)
  set(${result_var} "${result}" PARENT_SCOPE)
  set(${output_var} "${output}${errors}" PARENT_SCOPE)
endfunction()

function(expect_result result expected output)
  if(NOT result STREQUAL expected)
    message(FATAL_ERROR "exit code ${result}, expected ${expected}; the tool said:\n${output}")
  endif()
endfunction()

function(expect_contains text part)
  string(FIND "${text}" "${part}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "expected to see '${part}' in:\n${text}")
  endif()
endfunction()

set(made ${WORK_DIR}/round_trip.spt)
file(REMOVE ${made})
run_tool(result output ${SOURCE_DIR}/round_trip_source.vbs ${made})
expect_result("${result}" 0 "${output}")

run_tool(result output --dump ${made})
expect_result("${result}" 0 "${output}")
foreach(line
    "name: round_trip"
    "language: AudioVBScript"
    "version: 1.0.0.0"
    "script version: 8.0.0.0"
    "container: yes, 0 objects"
    "compiles: yes, 2 routines, 2 variables"
    "Trace \"café ♪\"")
  expect_contains("${output}" "${line}")
endforeach()

# The same source gives the same bytes: demos rebuild to identical files.
run_tool(result output --name round_trip ${SOURCE_DIR}/round_trip_source.vbs ${made}.again)
expect_result("${result}" 0 "${output}")
file(SHA256 ${made} first)
file(SHA256 ${made}.again second)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "two runs wrote different files")
endif()

file(WRITE ${WORK_DIR}/broken.vbs "Dim a\nSub T\n  If a Then\nEnd Sub\n")
file(REMOVE ${WORK_DIR}/broken.spt)
run_tool(result output ${WORK_DIR}/broken.vbs ${WORK_DIR}/broken.spt)
expect_result("${result}" 1 "${output}")
expect_contains("${output}" "broken.vbs:4:1: error: Expected 'End If'")
if(EXISTS ${WORK_DIR}/broken.spt)
  message(FATAL_ERROR "a file was written for a broken script")
endif()

run_tool(result output --no-check ${WORK_DIR}/broken.vbs ${WORK_DIR}/broken.spt)
expect_result("${result}" 0 "${output}")
run_tool(result output --dump ${WORK_DIR}/broken.spt)
expect_contains("${output}" "compiles: no: line 4, column 1: Expected 'End If'")

run_tool(result output --dump ${SOURCE_DIR}/round_trip_source.vbs)
expect_result("${result}" 1 "${output}")
expect_contains("${output}" "not a script file: not a RIFF file")
