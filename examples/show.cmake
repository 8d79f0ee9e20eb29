# Shows each example of each program in PROGRAMS: a heading with the command,
# then exactly what the program writes.
foreach(program IN LISTS PROGRAMS)
  file(GLOB inputs "${EXAMPLES}/${program}/*.in")
  list(SORT inputs)
  foreach(input IN LISTS inputs)
    get_filename_component(name "${input}" NAME)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "==> ${program} < examples/${program}/${name}")
    execute_process(COMMAND "${PROGRAM_${program}}" INPUT_FILE "${input}" RESULT_VARIABLE status)
    # Some reports end without a line feed; keep the next heading on its own line.
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "")
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${program} exited with ${status} on ${name}")
    endif()
  endforeach()
endforeach()
