# Tests that run whole programs.

# ferrolin-script tours: whole-program runs that leave screenshots for a person to look at.
file(GLOB FERROLIN_SCRIPT_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/scripts/*.txt)
foreach(script IN LISTS FERROLIN_SCRIPT_TESTS)
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME script_${name}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-tour.sh ${FERROLIN_GAME_DIR} ${script}
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(script_${name} PROPERTIES
    ENVIRONMENT "SDL_VIDEODRIVER=dummy;GSETTINGS_BACKEND=memory")
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
endif()
