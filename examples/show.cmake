# Runs each program in PROGRAMS on each of its examples, shows what it
# writes, and compares that with the example's expected output: the run
# fails at the first example that differs, naming it.  Output in GBK (the
# examples named *gbk*, and every answer of balance) is shown converted to
# UTF-8 where iconv is installed, and says so; the bytes compared are
# always the program's own.
find_program(ICONV iconv)
find_program(OD od)

# Shows the output in file out of an example whose output is GBK.
function(show_gbk out)
  if(ICONV)
    execute_process(COMMAND ${ICONV} -f GBK -t UTF-8 INPUT_FILE "${out}" OUTPUT_VARIABLE text RESULT_VARIABLE status
                    ERROR_QUIET)
    if(status EQUAL 0)
      message("(GBK, shown in UTF-8 by iconv)\n${text}")
      return()
    endif()
  endif()
  if(OD)
    # A report of single bytes of GBK characters: no character set shows them.
    execute_process(COMMAND ${OD} -c INPUT_FILE "${out}" OUTPUT_VARIABLE text)
    message("(single GBK bytes, shown by od -c)\n${text}")
  else()
    message("(GBK bytes, not shown: neither iconv nor od is installed)")
  endif()
endfunction()

set(checked 0)
foreach(program IN LISTS PROGRAMS)
  file(GLOB inputs "${EXAMPLES}/${program}/*.in")
  list(SORT inputs)
  foreach(input IN LISTS inputs)
    get_filename_component(name "${input}" NAME_WE)
    set(example "examples/${program}/${name}")
    set(out "${OUTPUT_DIR}/${program}-${name}.out")
    message("==> ${program} < ${example}.in")
    execute_process(COMMAND "${PROGRAM_${program}}" INPUT_FILE "${input}" OUTPUT_FILE "${out}"
                    RESULT_VARIABLE status)
    if(name MATCHES "gbk" OR program STREQUAL "balance")
      show_gbk("${out}")
    else()
      file(READ "${out}" text)
      # Some reports end without a line feed; keep the next heading on its own line.
      message("${text}")
    endif()
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${example}: ${program} exited with status ${status}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${out}" "${EXAMPLES}/${program}/${name}.out"
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      message(FATAL_ERROR "${example}: the output differs from ${example}.out (it is in ${out})")
    endif()
    math(EXPR checked "${checked} + 1")
  endforeach()
endforeach()
message("All ${checked} examples give their expected output.")
