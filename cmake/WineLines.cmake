# What a Windows program run under Wine printed on its standard error, split in two: the lines
# of Wine itself (with WINEDEBUG's +timestamp and +pid: "TIME:PID:THREAD:CLASS:CHANNEL:...") and
# of the sound library beneath it, and the program's own. A runner compares the program's own
# lines and shows Wine's when something is wrong.
function(harpix_split_wine_lines text program_var wine_var)
  # A list holds no semicolons: they travel as a control character meanwhile.
  string(ASCII 1 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REGEX MATCHALL "[^\n]*\n|[^\n]+$" lines "${text}")
  set(program "")
  set(wine "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^ *[0-9]+\\.[0-9][0-9][0-9]:[0-9a-f]+:[0-9a-f]+:[a-z]+:" OR
       line MATCHES "^ALSA lib ")
      string(APPEND wine "${line}")
    else()
      string(APPEND program "${line}")
    endif()
  endforeach()
  string(REPLACE "${semicolon}" ";" program "${program}")
  string(REPLACE "${semicolon}" ";" wine "${wine}")
  set(${program_var} "${program}" PARENT_SCOPE)
  set(${wine_var} "${wine}" PARENT_SCOPE)
endfunction()
