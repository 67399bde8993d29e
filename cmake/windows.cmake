# The Windows build's libraries: static SDL2, SDL2_image, SDL2_ttf (with HarfBuzz and
# FreeType) from the prefix scripts/windows-deps.sh built, under the names the Linux
# build's pkg-config targets have, so the layers link them the same way.
if(NOT FERROLIN_WINDOWS_PREFIX OR NOT EXISTS ${FERROLIN_WINDOWS_PREFIX}/.complete)
  message(FATAL_ERROR "The Windows build needs the libraries of scripts/windows-deps.sh: "
                      "configure with -DFERROLIN_WINDOWS_PREFIX=\$(scripts/windows-deps.sh)")
endif()
find_package(SDL2 CONFIG REQUIRED)
# GCC 12 warns of overlapping copies inside std::string's own inlined code in optimised
# builds (its bug 105329), where no string of ours overlaps; the Linux build is a debug one.
add_compile_options(-Wno-restrict)

set(_prefix ${FERROLIN_WINDOWS_PREFIX})
add_library(PkgConfig::SDL INTERFACE IMPORTED)
target_include_directories(PkgConfig::SDL INTERFACE ${_prefix}/include/SDL2 ${_prefix}/include)
# The programs have their own main(); SDL's replacement of it is not wanted.
target_compile_definitions(PkgConfig::SDL INTERFACE SDL_MAIN_HANDLED)
target_link_libraries(PkgConfig::SDL INTERFACE
  ${_prefix}/lib/libSDL2_image.a ${_prefix}/lib/libSDL2_ttf.a ${_prefix}/lib/libharfbuzz.a
  ${_prefix}/lib/libfreetype.a SDL2::SDL2-static)
# The file chooser and the shell are the system's own.
add_library(PkgConfig::GTK INTERFACE IMPORTED)
target_link_libraries(PkgConfig::GTK INTERFACE comdlg32 shell32 ole32 uuid secur32)

# Programs a person starts from the desktop have no console window.
function(ferrolin_gui_program target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
endfunction()

# The icon (rendered from art/icon.svg), the manifest (UTF-8 as the program's code page,
# long paths, the current common controls) and the version information, in every program.
find_program(FERROLIN_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(FERROLIN_IMAGEMAGICK convert REQUIRED)
set(FERROLIN_ICON ${CMAKE_BINARY_DIR}/windows/ferrolin.ico)
set(_icon_pngs)
foreach(size 16 24 32 48 64 256)
  list(APPEND _icon_pngs ${CMAKE_BINARY_DIR}/windows/icon-${size}.png)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/windows/icon-${size}.png
    COMMAND ${FERROLIN_RSVG_CONVERT} -w ${size} -h ${size} ${CMAKE_SOURCE_DIR}/art/icon.svg
            -o ${CMAKE_BINARY_DIR}/windows/icon-${size}.png
    DEPENDS ${CMAKE_SOURCE_DIR}/art/icon.svg VERBATIM)
endforeach()
add_custom_command(OUTPUT ${FERROLIN_ICON}
  COMMAND ${FERROLIN_IMAGEMAGICK} ${_icon_pngs} ${FERROLIN_ICON}
  DEPENDS ${_icon_pngs} VERBATIM)
add_custom_target(windows_icon DEPENDS ${FERROLIN_ICON})

string(REPLACE "." "," FERROLIN_VERSION_COMMAS "${PROJECT_VERSION}.0")
set(FERROLIN_VERSION_QUAD "${PROJECT_VERSION}.0")
set(FERROLIN_MANIFEST ${CMAKE_BINARY_DIR}/windows/ferrolin.manifest)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/ferrolin.manifest ${FERROLIN_MANIFEST} @ONLY)

function(ferrolin_windows_resources target description)
  set(FERROLIN_PROGRAM ${target})
  set(FERROLIN_DESCRIPTION ${description})
  set(rc ${CMAKE_BINARY_DIR}/windows/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${FERROLIN_ICON};${FERROLIN_MANIFEST}")
  add_dependencies(${target} windows_icon)
endfunction()

# The fonts the text is drawn with, shipped beside the program (no fontconfig here).
set(FERROLIN_FONT_DIR /usr/share/fonts/truetype/dejavu)
set(_fonts)
foreach(font DejaVuSans.ttf DejaVuSans-Bold.ttf)
  add_custom_command(OUTPUT ${FERROLIN_GAME_DIR}/fonts/${font}
    COMMAND ${CMAKE_COMMAND} -E copy ${FERROLIN_FONT_DIR}/${font} ${FERROLIN_GAME_DIR}/fonts/${font}
    DEPENDS ${FERROLIN_FONT_DIR}/${font} VERBATIM)
  list(APPEND _fonts ${FERROLIN_GAME_DIR}/fonts/${font})
endforeach()
add_custom_command(OUTPUT ${FERROLIN_GAME_DIR}/fonts/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/art/LICENSES/DejaVu-Fonts.txt
          ${FERROLIN_GAME_DIR}/fonts/LICENSE.txt
  DEPENDS ${CMAKE_SOURCE_DIR}/art/LICENSES/DejaVu-Fonts.txt VERBATIM)
add_custom_target(windows_fonts ALL DEPENDS ${_fonts} ${FERROLIN_GAME_DIR}/fonts/LICENSE.txt)
# The tests draw text too: the same fonts beside them.
foreach(font DejaVuSans.ttf DejaVuSans-Bold.ttf)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/tests/fonts/${font}
    COMMAND ${CMAKE_COMMAND} -E copy ${FERROLIN_FONT_DIR}/${font} ${CMAKE_BINARY_DIR}/tests/fonts/${font}
    DEPENDS ${FERROLIN_FONT_DIR}/${font} VERBATIM)
  list(APPEND _test_fonts ${CMAKE_BINARY_DIR}/tests/fonts/${font})
endforeach()
add_custom_target(windows_test_fonts ALL DEPENDS ${_test_fonts})
