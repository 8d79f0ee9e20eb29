# Renders each manual page in MANPAGES as man does in a UTF-8 terminal, with
# every groff warning on, and fails on any warning.
foreach(page IN LISTS MANPAGES)
  execute_process(COMMAND groff -ww -z -man -Tutf8 "${page}"
                  RESULT_VARIABLE status ERROR_VARIABLE warnings)
  if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "${page}: groff status ${status}\n${warnings}")
  endif()
  message(STATUS "${page}: clean")
endforeach()
