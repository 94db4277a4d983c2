# The programs as they ship: stripped of symbols and debug sections, in ${CMAKE_BINARY_DIR}/release.
# The symbols stay beside each one as NAME.exe.debug (linked by name from the program, so that a
# debugger finds them) for the analysis of a crash reported from the field. The tests drive
# these very files, and the Windows package is made of them.
set(HARPIX_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)

function(harpix_release_program target)
  set(shipped ${HARPIX_RELEASE_DIR}/${target}.exe)
  add_custom_command(
    OUTPUT ${shipped} ${shipped}.debug
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HARPIX_RELEASE_DIR}
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${shipped}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${shipped}.debug
            $<TARGET_FILE:${target}> ${shipped}
    DEPENDS ${target}
    COMMENT "Stripping ${target}.exe for release")
  add_custom_target(${target}_release ALL DEPENDS ${shipped})
  set_target_properties(${target} PROPERTIES HARPIX_SHIPPED_FILE ${shipped})
endfunction()
