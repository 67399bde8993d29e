# Installing the game and packaging it for Debian.
#
# The game finds textures/, tasks/ and help/ beside its own executable (the real path,
# resolved through symbolic links), so the whole program folder is installed as one piece
# under <prefix>/lib/ferrolin, and <prefix>/bin/ferrolin is a symbolic link to the
# executable in it. The menu entry and the icons go where desktops look for them.

include(GNUInstallDirs)

set(FERROLIN_INSTALL_DIR lib/ferrolin CACHE STRING
    "The program folder, relative to the install prefix")

install(TARGETS ferrolin RUNTIME DESTINATION ${FERROLIN_INSTALL_DIR})
# The teacher's check of solution files is a command of its own.
install(TARGETS ferrolin-solve RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${FERROLIN_GAME_DIR}/textures ${FERROLIN_GAME_DIR}/help
        DESTINATION ${FERROLIN_INSTALL_DIR})
# Only the task pack: tasks saved into the build's own folder while trying the game out
# must not be shipped (scripts/build-package.sh starts from a clean task folder too).
install(DIRECTORY ${FERROLIN_GAME_DIR}/tasks DESTINATION ${FERROLIN_INSTALL_DIR}
        FILES_MATCHING PATTERN "_*.dat" PATTERN ".pack-renamed")

# The launcher on the PATH.
file(RELATIVE_PATH FERROLIN_LAUNCHER_TARGET /${CMAKE_INSTALL_BINDIR}
     /${FERROLIN_INSTALL_DIR}/ferrolin)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/launcher)
file(CREATE_LINK ${FERROLIN_LAUNCHER_TARGET} ${CMAKE_BINARY_DIR}/launcher/ferrolin SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/launcher/ferrolin DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry and the icon, rendered from art/icon.svg at the sizes desktops ask for.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/ferrolin.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# What software centres show about the game.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/example.calcora.ferrolin.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(FERROLIN_ICONS)
foreach(size 48 64 128 256)
  set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/ferrolin.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${FERROLIN_RSVG_CONVERT} -w ${size} -h ${size} ${CMAKE_SOURCE_DIR}/art/icon.svg
            -o ${icon}
    DEPENDS ${CMAKE_SOURCE_DIR}/art/icon.svg ${CMAKE_SOURCE_DIR}/art/ui/boat.svg
            ${CMAKE_SOURCE_DIR}/art/ui/noto/man-red-hair.svg
    VERBATIM)
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND FERROLIN_ICONS ${icon})
endforeach()
add_custom_target(icons ALL DEPENDS ${FERROLIN_ICONS})

# The Debian package: cpack -G DEB in a build folder (scripts/build-package.sh).
set(CPACK_PACKAGE_NAME ferrolin)
set(CPACK_PACKAGE_VENDOR Calcora)
set(CPACK_PACKAGE_CONTACT "Ferrolin developers <ferrolin@calcora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "river-crossing puzzle game for school pupils")
set(CPACK_PACKAGE_DESCRIPTION
    "Characters stand on the left bank of a river; a small boat must carry them all\n\
to their places on the right bank without breaking the task's rules. Pupils\n\
drag characters into the boat, sail, undo and win; teachers compose new tasks\n\
in a six-step editor and share them as files. The interface is in Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The font it draws with when Verdana is missing and the opener of the help page, with
# the libraries it links: found by dpkg-shlibdeps where it exists, else named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, xdg-utils")
find_program(FERROLIN_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(FERROLIN_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libsdl2-2.0-0, libsdl2-ttf-2.0-0, \
libsdl2-image-2.0-0, libgtk-3-0, libfontconfig1, libstdc++6")
endif()
include(CPack)
