# bytefilters_manpage(PROGRAM): PROGRAM.1 of the calling folder, its footer
# given the project's version, is built into man/ of the build tree and
# installed to man1, gzip-compressed as Debian wants it where gzip is there.
find_program(GZIP_PROGRAM gzip)

function(bytefilters_manpage program)
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/${program}.1 ${page} @ONLY)
  set_property(GLOBAL APPEND PROPERTY BYTEFILTERS_MANPAGES ${page})
  if(GZIP_PROGRAM)
    # -n leaves the name and time out of the header: the same page gives
    # the same bytes whenever it is built.
    add_custom_command(OUTPUT ${page}.gz
                       COMMAND ${GZIP_PROGRAM} -9 -n -k -f ${page}
                       DEPENDS ${page}
                       COMMENT "Compressing the manual page of ${program}"
                       VERBATIM)
    add_custom_target(${program}_manpage ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endfunction()
