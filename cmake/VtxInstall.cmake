# Install rules and the Debian package.
#
#   cmake --install build [--prefix P]   (DESTDIR honoured)
#     P/bin/vortalix3d
#     P/share/vortalix3d/{DATA,data,sounds,Music}   the generated data
#     P/share/vortalix3d/translations               the languages (.qm)
#     P/share/applications/<id>.desktop
#     P/share/metainfo/<id>.metainfo.xml
#     P/share/icons/hicolor/<N>x<N>/apps/vortalix3d.png
#   cd build && cpack -G DEB                       vortalix3d_<version>_<arch>.deb
#
# The program finds its data from its own folder (../share/vortalix3d beside
# bin/), so the same files work under any prefix and unpacked anywhere.

include(GNUInstallDirs)

set(VTX_APP_ID org.vortalix3d.Vortalix3D)
set(VTX_SCREENSHOT_URL "https://vortalix3d.org/screenshots" CACHE STRING
    "Where the screenshots of docs/ are published, named in the AppStream metadata")

# The data folder as the program sees it from its own folder.
file(RELATIVE_PATH VTX_INSTALLED_DATA
    ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/vortalix3d)
target_compile_definitions(app PRIVATE VTX_INSTALLED_DATA="${VTX_INSTALLED_DATA}"
    VTX_VERSION="${PROJECT_VERSION}")

# The icons, painted by the generator like every other picture.
set(VTX_ICON_DIR ${PROJECT_BINARY_DIR}/generated/icons)
set(VTX_ICON_STAMP ${PROJECT_BINARY_DIR}/generated/icons.stamp)
add_custom_command(OUTPUT ${VTX_ICON_STAMP}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:vtx_datagen> --icons ${VTX_ICON_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${VTX_ICON_STAMP}
    DEPENDS vtx_datagen
    COMMENT "Painting the desktop icons")
add_custom_target(vtx_icons ALL DEPENDS ${VTX_ICON_STAMP})

configure_file(${PROJECT_SOURCE_DIR}/dist/${VTX_APP_ID}.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/generated/${VTX_APP_ID}.metainfo.xml @ONLY)

install(TARGETS vortalix3d RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only the generated folders: the runtime folder may also hold a player's
# vtx.ini, hscore.dat or clients.cfg, and the texture folder the game makes.
foreach(folder DATA data sounds Music translations)
    install(DIRECTORY ${VTX_RUN_DIR}/${folder} DESTINATION ${CMAKE_INSTALL_DATADIR}/vortalix3d
        PATTERN Textures EXCLUDE)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/dist/${VTX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/generated/${VTX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${VTX_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The Debian package: the libraries' packages found by dpkg-shlibdeps, plus the
# General MIDI sound font the music plays through (audio/MusicPlayer.cpp) and
# the Mesa drivers that draw when there is no other OpenGL driver.
set(CPACK_PACKAGE_NAME vortalix3d)
set(CPACK_PACKAGE_VENDOR "Vortalix 3D developers")
set(CPACK_PACKAGE_CONTACT "Vortalix 3D developers <games@vortalix3d.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sea battle on two boards floating on a 3D sea")
set(CPACK_PACKAGE_DESCRIPTION "Two fleets of ten ships hide on two 10 x 10 grids floating on an
animated 3D sea. Play the computer at three levels or another player on the
local network, and burn the enemy's ships cell by cell.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont, libgl1-mesa-dri")
set(CPACK_STRIP_FILES ON)
include(CPack)
