# Makes the Windows package as the build's `package` target does, but into SCRATCH, unpacks it,
# and checks that each program in it is, byte for byte, the one the tests ran (PROGRAMS), and
# carries no debug section.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CPACK} --config ${CONFIG} -B ${SCRATCH} RESULT_VARIABLE status
                OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${SCRATCH}/${TOP}.zip
                WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${SCRATCH}/${TOP}.zip")
endif()
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name ${program} NAME)
  set(packed ${SCRATCH}/${TOP}/${name})
  if(NOT EXISTS ${packed})
    message(FATAL_ERROR "${name} is not in the package")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${packed} ${program}
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "the package's ${name} is not the tested ${program}")
  endif()
  execute_process(COMMAND ${OBJDUMP} -h ${packed} OUTPUT_VARIABLE sections RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR sections MATCHES "\\.debug_")
    message(FATAL_ERROR "the package's ${name} carries debug sections:\n${sections}")
  endif()
  file(SIZE ${packed} size)
  message(STATUS "${name}: ${size} bytes, as tested, no debug sections")
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
