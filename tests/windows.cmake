# The Windows build's tests, run under Wine (scripts/wine-run.sh, the build's emulator).

# Tests that need the Linux desktop or its file system, each with the reason it is
# skipped; their Windows counterparts live in <folder>/windows/.
set(FERROLIN_WINDOWS_SKIPPED
  # /dev holds no graphics devices on Windows: the renderer is chosen another way.
  RendererChoice.OnlyARenderNodeOrTheNvidiaDeviceShowAGraphicsProcessor
  # xdg-open's argument vector; Windows opens documents through the shell.
  Shell.OpensAnExistingDocumentByAbsolutePathWithoutAShell
  ScreensTest.HelpOpensThePageWithoutAShell
)

function(ferrolin_cross_test name)
  # The programs' manifest (UTF-8 as the code page, long paths) in the tests too.
  ferrolin_windows_resources(${name} "Ferrolin tests")
  list(JOIN FERROLIN_WINDOWS_SKIPPED ":" skipped)
  add_test(NAME windows_${name}
           COMMAND ${name} --gtest_filter=-${skipped} --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(windows_${name} PROPERTIES
    ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy" TIMEOUT 900)
endfunction()

# The same answers and files as the Linux build (a Linux build's game folder given).
set(FERROLIN_LINUX_GAME_DIR "" CACHE PATH "A Linux build's game folder, to compare with")
if(FERROLIN_LINUX_GAME_DIR)
  add_test(NAME windows_solve_same_as_linux
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/solve-same-as-linux.sh
                   ${FERROLIN_LINUX_GAME_DIR} ${FERROLIN_GAME_DIR} ${CMAKE_BINARY_DIR}/tests/solve-compare)
  set_tests_properties(windows_solve_same_as_linux PROPERTIES TIMEOUT 900)
endif()
if(FERROLIN_LINUX_GAME_DIR)
  add_test(NAME windows_pack_tour_same_as_linux
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/tour-same-as-linux.sh
                   ${FERROLIN_LINUX_GAME_DIR} ${FERROLIN_GAME_DIR}
                   ${CMAKE_CURRENT_SOURCE_DIR}/scripts/pack_tour.txt
                   ${CMAKE_BINARY_DIR}/tests/pack-tour)
  set_tests_properties(windows_pack_tour_same_as_linux PROPERTIES TIMEOUT 900)
endif()

# The packages scripts/windows-build.sh leaves in dist/: the zip unpacked into a Cyrillic
# folder with the real game under Wine in a virtual display; the MSI installed silently.
set(FERROLIN_PACKAGE ${CMAKE_SOURCE_DIR}/dist/ferrolin-${PROJECT_VERSION}-windows-x64)
find_program(FERROLIN_XVFB_RUN xvfb-run)
if(FERROLIN_XVFB_RUN)
  add_test(NAME windows_zip_and_real_window
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/real-window.sh ${FERROLIN_PACKAGE}.zip
                   ${CMAKE_BINARY_DIR}/tests/real-window)
  set_tests_properties(windows_zip_and_real_window PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
endif()
add_test(NAME windows_msi_install
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/msi-install.sh ${FERROLIN_PACKAGE}.msi
                 ${CMAKE_BINARY_DIR}/tests/msi-install)
set_tests_properties(windows_msi_install PROPERTIES TIMEOUT 300)
