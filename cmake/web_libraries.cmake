# The libraries of the web page, built for the browser from Debian's sources by
# scripts/web-deps.sh into FERROLIN_WEB_LIBS. They take the names the desktop build's
# pkg-config targets have, so the layers link them the same way.
set(FERROLIN_WEB_LIBS "" CACHE PATH "Prefix of the libraries scripts/web-deps.sh built")
if(NOT EXISTS "${FERROLIN_WEB_LIBS}/.built")
  message(FATAL_ERROR "FERROLIN_WEB_LIBS must name the prefix scripts/web-deps.sh printed")
endif()

add_library(PkgConfig::SDL INTERFACE IMPORTED)
target_include_directories(PkgConfig::SDL INTERFACE ${FERROLIN_WEB_LIBS}/include
                                                    ${FERROLIN_WEB_LIBS}/include/SDL2)
target_link_libraries(PkgConfig::SDL INTERFACE
  ${FERROLIN_WEB_LIBS}/lib/libSDL2_ttf.a ${FERROLIN_WEB_LIBS}/lib/libSDL2_image.a
  ${FERROLIN_WEB_LIBS}/lib/libharfbuzz.a ${FERROLIN_WEB_LIBS}/lib/libfreetype.a
  ${FERROLIN_WEB_LIBS}/lib/libSDL2.a)
# Nothing in the browser build uses GTK; the platform library still names the target.
add_library(PkgConfig::GTK INTERFACE IMPORTED)

# nlohmann-json is headers alone: Debian's copy serves the browser build as it is, seen
# through a folder of its own so that no other system header comes along.
set(FERROLIN_WEB_JSON ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${FERROLIN_WEB_JSON})
if(NOT EXISTS ${FERROLIN_WEB_JSON}/nlohmann)
  file(CREATE_LINK /usr/include/nlohmann ${FERROLIN_WEB_JSON}/nlohmann SYMBOLIC)
endif()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${FERROLIN_WEB_JSON})
