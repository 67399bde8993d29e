# Tests that run whole programs.

# ferrolin-script tours: whole-program runs that check what the game shows with their
# "expect" lines and leave screenshots for a person to look at.
file(GLOB FERROLIN_SCRIPT_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/scripts/*.txt)
foreach(script IN LISTS FERROLIN_SCRIPT_TESTS)
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME script_${name}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-tour.sh ${FERROLIN_GAME_DIR} ${script}
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(script_${name} PROPERTIES
    ENVIRONMENT "SDL_VIDEODRIVER=dummy;GSETTINGS_BACKEND=memory;FERROLIN_TOUR_TASKS=$<TARGET_FILE:ferrolin-tour-tasks>")
endforeach()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tests/screens)

# The real game in a virtual display: a first frame, then closing its window ends it.
find_program(FERROLIN_XVFB_RUN xvfb-run)
if(FERROLIN_XVFB_RUN)
  add_test(NAME smoke_real_window
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/smoke-test.sh $<TARGET_FILE:ferrolin>
                   ${CMAKE_BINARY_DIR}/tests/screens/smoke-real-window.png)
  # The desktop's own libraries (GL drivers, GTK) keep caches until exit.
  set_tests_properties(smoke_real_window PROPERTIES
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" RUN_SERIAL TRUE TIMEOUT 120)
  add_test(NAME file_chooser_over_the_game
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/file-chooser-test.sh $<TARGET_FILE:ferrolin>
                   ${CMAKE_BINARY_DIR}/tests/screens/file-chooser.png)
  set_tests_properties(file_chooser_over_the_game PROPERTIES
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" RUN_SERIAL TRUE TIMEOUT 120)
endif()

# Two pupils' wins in one class folder at once, and the teacher's overview of them.
add_test(NAME class_results_two_pupils
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging/class-results.sh ${FERROLIN_GAME_DIR})
set_tests_properties(class_results_two_pupils PROPERTIES
  ENVIRONMENT "SDL_VIDEODRIVER=dummy;GSETTINGS_BACKEND=memory" TIMEOUT 120)

# The help page, the installed layout and the menu entry.
set(FERROLIN_PACKAGING_TESTS ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
find_program(FERROLIN_APPSTREAMCLI appstreamcli)
if(FERROLIN_APPSTREAMCLI)
  add_test(NAME metainfo_valid COMMAND ${FERROLIN_PACKAGING_TESTS}/metainfo.sh ${CMAKE_SOURCE_DIR})
endif()
add_test(NAME help_page_offline COMMAND ${FERROLIN_PACKAGING_TESTS}/help-offline.sh
                                        ${FERROLIN_GAME_DIR}/help)
find_program(FERROLIN_CHROMIUM NAMES chromium chromium-browser)
if(FERROLIN_CHROMIUM)
  add_test(NAME help_page_renders
           COMMAND ${FERROLIN_PACKAGING_TESTS}/help-render.sh ${FERROLIN_CHROMIUM}
                   ${FERROLIN_GAME_DIR}/help/index.html
                   ${CMAKE_BINARY_DIR}/tests/screens/help-page.png)
  set_tests_properties(help_page_renders PROPERTIES TIMEOUT 120)
endif()
if(FERROLIN_XVFB_RUN)
  add_test(NAME install_layout
           COMMAND ${FERROLIN_PACKAGING_TESTS}/install-layout.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_SOURCE_DIR}/scripts/smoke-test.sh
                   ${CMAKE_BINARY_DIR}/tests/screens/installed-launcher.png)
  set_tests_properties(install_layout PROPERTIES
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" RUN_SERIAL TRUE TIMEOUT 180)
else()
  add_test(NAME install_layout COMMAND ${FERROLIN_PACKAGING_TESTS}/install-layout.sh
                                       ${CMAKE_BINARY_DIR})
endif()

# The sources stay formatted, include from the layers' roots and have headers that stand alone.
add_test(NAME source_guards
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-sources.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
set_tests_properties(source_guards PROPERTIES TIMEOUT 900)
