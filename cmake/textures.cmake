# The pictures beside the program: textures/*.tga rendered from the SVG sources in art/.
# art/ui/<name>.svg gives textures/<name>.tga; art/units/<name>.svg gives
# textures/unit_<name>.tga and textures/unit_<name>_small.tga, and when the figure marks
# parts with class="tint", their tint masks unit_<name>_tint.tga and
# unit_<name>_small_tint.tga. Pictures placed inside others (art/ui/noto/) are only
# dependencies. The licences of the sources go along.

find_program(FERROLIN_RSVG_CONVERT rsvg-convert)
find_program(FERROLIN_IMAGEMAGICK convert)
if(NOT FERROLIN_RSVG_CONVERT OR NOT FERROLIN_IMAGEMAGICK)
  message(FATAL_ERROR "Building the textures needs rsvg-convert (librsvg2-bin) and "
                      "ImageMagick's convert: run scripts/install-deps.sh")
endif()

get_filename_component(FERROLIN_ART_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(FERROLIN_ART_DIR ${FERROLIN_ART_ROOT}/art)
set(FERROLIN_TEXTURE_SCRIPT ${FERROLIN_ART_ROOT}/scripts/build-textures.sh)
set(FERROLIN_TEXTURE_DIR ${FERROLIN_GAME_DIR}/textures)

file(GLOB FERROLIN_UI_ART CONFIGURE_DEPENDS ${FERROLIN_ART_DIR}/ui/*.svg)
file(GLOB FERROLIN_UNIT_ART CONFIGURE_DEPENDS ${FERROLIN_ART_DIR}/units/*.svg)
file(GLOB FERROLIN_ART_PARTS CONFIGURE_DEPENDS ${FERROLIN_ART_DIR}/ui/noto/*.svg)

set(FERROLIN_TEXTURES)
foreach(svg IN LISTS FERROLIN_UI_ART)
  get_filename_component(name ${svg} NAME_WE)
  list(APPEND FERROLIN_TEXTURES ${FERROLIN_TEXTURE_DIR}/${name}.tga)
endforeach()
foreach(svg IN LISTS FERROLIN_UNIT_ART)
  get_filename_component(name ${svg} NAME_WE)
  list(APPEND FERROLIN_TEXTURES ${FERROLIN_TEXTURE_DIR}/unit_${name}.tga
                                ${FERROLIN_TEXTURE_DIR}/unit_${name}_small.tga)
  # Which figures have masks is read from the sources, so editing one reconfigures.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${svg})
  file(STRINGS ${svg} tint_parts REGEX "class=\"tint\"" LIMIT_COUNT 1)
  if(tint_parts)
    list(APPEND FERROLIN_TEXTURES ${FERROLIN_TEXTURE_DIR}/unit_${name}_tint.tga
                                  ${FERROLIN_TEXTURE_DIR}/unit_${name}_small_tint.tga)
  endif()
endforeach()

add_custom_command(
  OUTPUT ${FERROLIN_TEXTURES}
  COMMAND ${FERROLIN_TEXTURE_SCRIPT} ${FERROLIN_ART_DIR} ${FERROLIN_TEXTURE_DIR}
  DEPENDS ${FERROLIN_UI_ART} ${FERROLIN_UNIT_ART} ${FERROLIN_ART_PARTS}
          ${FERROLIN_TEXTURE_SCRIPT}
  COMMENT "Rendering the textures from art/"
  VERBATIM)

# Licences of the picture sources, shipped beside the textures.
set(FERROLIN_ART_LICENCES ${FERROLIN_TEXTURE_DIR}/CREDITS.md)
add_custom_command(
  OUTPUT ${FERROLIN_ART_LICENCES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${FERROLIN_TEXTURE_DIR}/LICENSES
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${FERROLIN_ART_DIR}/LICENSES ${FERROLIN_TEXTURE_DIR}/LICENSES
  COMMAND ${CMAKE_COMMAND} -E copy ${FERROLIN_ART_DIR}/CREDITS.md ${FERROLIN_ART_LICENCES}
  DEPENDS ${FERROLIN_ART_DIR}/CREDITS.md ${FERROLIN_ART_DIR}/LICENSES/Apache-2.0.txt
          ${FERROLIN_ART_DIR}/LICENSES/DejaVu-Fonts.txt
  COMMENT "Copying the art credits and licences"
  VERBATIM)

add_custom_target(textures ALL DEPENDS ${FERROLIN_TEXTURES} ${FERROLIN_ART_LICENCES})
ferrolin_data_before_users(textures)
