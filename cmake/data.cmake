# The help page beside the program.
file(GLOB_RECURSE FERROLIN_HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
set(FERROLIN_HELP_OUTPUTS)
foreach(file IN LISTS FERROLIN_HELP_FILES)
  file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${file})
  add_custom_command(OUTPUT ${FERROLIN_GAME_DIR}/${relative}
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${FERROLIN_GAME_DIR}/${relative}
                     DEPENDS ${file} VERBATIM)
  list(APPEND FERROLIN_HELP_OUTPUTS ${FERROLIN_GAME_DIR}/${relative})
endforeach()
add_custom_target(help_page ALL DEPENDS ${FERROLIN_HELP_OUTPUTS})
add_dependencies(ferrolin help_page)
