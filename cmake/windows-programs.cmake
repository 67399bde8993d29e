# The Windows programs: the game without a console window, the command-line tools with
# one that shows UTF-8; each with the icon, the manifest and its version information.
ferrolin_gui_program(ferrolin)
ferrolin_windows_resources(ferrolin "Ferrolin")
ferrolin_windows_resources(ferrolin-script "Ferrolin: scripted runs and screenshots")
ferrolin_windows_resources(ferrolin-solve "Ferrolin: solving tasks and checking solutions")
ferrolin_windows_resources(ferrolin-build-tasks "Ferrolin: building the task pack")
foreach(program ferrolin-script ferrolin-solve)
  target_sources(${program} PRIVATE ${CMAKE_SOURCE_DIR}/platform/windows/programs/console_utf8.cpp)
endforeach()
add_dependencies(ferrolin windows_fonts)
add_dependencies(ferrolin-script windows_fonts)
