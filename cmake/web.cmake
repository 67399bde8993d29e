# The game as a web page: ferrolin.js and ferrolin.wasm, ferrolin.data with the pictures,
# the task pack and the fonts, the page and the help beside them in FERROLIN_WEB_OUT.
# The data comes from a desktop build's program folder (FERROLIN_WEB_DATA), since the
# programs that make it run on the build machine.
set(FERROLIN_WEB_DATA "" CACHE PATH "Program folder of a desktop build: textures/, tasks/, help/")
set(FERROLIN_WEB_OUT ${CMAKE_SOURCE_DIR}/dist/web CACHE PATH "Where the page is put together")
set(FERROLIN_WEB_FONTS /usr/share/fonts/truetype/dejavu CACHE PATH "DejaVu Sans and its bold face")
foreach(needed textures tasks help)
  if(NOT IS_DIRECTORY ${FERROLIN_WEB_DATA}/${needed})
    message(FATAL_ERROR "FERROLIN_WEB_DATA has no ${needed}/: build the desktop data first")
  endif()
endforeach()

set(FERROLIN_WEB_PAGE ${CMAKE_SOURCE_DIR}/platform/web/page)
# Flags every browser program of the project shares (the game and the bare benchmark page).
set(FERROLIN_WEB_LINK_FLAGS
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sFORCE_FILESYSTEM=1
  -sEXPORTED_RUNTIME_METHODS=[FS])

file(GLOB_RECURSE FERROLIN_WEB_DATA_FILES CONFIGURE_DEPENDS
     ${FERROLIN_WEB_DATA}/textures/* ${FERROLIN_WEB_DATA}/tasks/*)
set_target_properties(ferrolin PROPERTIES SUFFIX ".js")
target_link_options(ferrolin PRIVATE ${FERROLIN_WEB_LINK_FLAGS} -lidbfs.js
  "SHELL:--pre-js ${FERROLIN_WEB_PAGE}/storage.js"
  "SHELL:--preload-file ${FERROLIN_WEB_DATA}/textures@/ferrolin/textures"
  "SHELL:--preload-file ${FERROLIN_WEB_DATA}/tasks@/ferrolin/tasks"
  "SHELL:--preload-file ${FERROLIN_WEB_FONTS}/DejaVuSans.ttf@/ferrolin/fonts/DejaVuSans.ttf"
  "SHELL:--preload-file ${FERROLIN_WEB_FONTS}/DejaVuSans-Bold.ttf@/ferrolin/fonts/DejaVuSans-Bold.ttf")
set_property(TARGET ferrolin APPEND PROPERTY LINK_DEPENDS
             ${FERROLIN_WEB_PAGE}/storage.js ${FERROLIN_WEB_DATA_FILES})

# The folder a web server serves: the page, the game and the help page, nothing else.
add_custom_target(web_page ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${FERROLIN_WEB_OUT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${FERROLIN_WEB_OUT}
  COMMAND ${CMAKE_COMMAND} -E copy ${FERROLIN_GAME_DIR}/ferrolin.js ${FERROLIN_GAME_DIR}/ferrolin.wasm
          ${FERROLIN_GAME_DIR}/ferrolin.data ${FERROLIN_WEB_PAGE}/index.html
          ${FERROLIN_WEB_PAGE}/page.js ${FERROLIN_WEB_PAGE}/page.css ${FERROLIN_WEB_OUT}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${FERROLIN_WEB_DATA}/help ${FERROLIN_WEB_OUT}/help
  COMMAND ${CMAKE_COMMAND} -E copy ${FERROLIN_WEB_DATA}/textures/CREDITS.md ${FERROLIN_WEB_OUT}/CREDITS.md
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${FERROLIN_WEB_DATA}/textures/LICENSES ${FERROLIN_WEB_OUT}/LICENSES
  DEPENDS ferrolin ${FERROLIN_WEB_PAGE}/index.html ${FERROLIN_WEB_PAGE}/page.js
          ${FERROLIN_WEB_PAGE}/page.css
  COMMENT "Putting the web page together in ${FERROLIN_WEB_OUT}"
  VERBATIM)

# The bare page the benchmarks compare the game's page with: one picture drawn by SDL,
# built with the same libraries and flags.
add_executable(ferrolin-bare-page ${CMAKE_SOURCE_DIR}/bench/web/bare_page.cpp)
set_target_properties(ferrolin-bare-page PROPERTIES SUFFIX ".js" EXCLUDE_FROM_ALL ON)
target_link_libraries(ferrolin-bare-page PRIVATE PkgConfig::SDL)
target_link_options(ferrolin-bare-page PRIVATE ${FERROLIN_WEB_LINK_FLAGS}
  "SHELL:--preload-file ${FERROLIN_WEB_DATA}/textures/background.tga@/background.tga")
