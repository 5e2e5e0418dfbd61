# Run by cpack after the (already stripped) install into its staging folder:
# also drops the compiler's version notes (.comment, .note) from the program,
# as Debian's own packaging tools do.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/games/zindle-tavrin")
if(NOT programs)
  message(FATAL_ERROR "no program under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${program}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip failed on ${program}")
  endif()
endforeach()
