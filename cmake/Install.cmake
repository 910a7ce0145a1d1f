# Installed layout (prefix /usr for the Debian package):
#   lib/quillora/       the program folder: quillora, quillora-cli, the two parts quillora-cli
#                       starts beside it (quillora-cli-draw, quillora-cli-regional.so) and
#                       HAND-M.CUR; a skin goes in its x/o.cjs. The programs find their folder
#                       through the links in bin, since the program file's own path is the
#                       link's target.
#   bin/                links quillora and quillora-cli into the program folder
#   share/applications, share/metainfo, share/icons/hicolor/256x256/apps
#                       desktop entry, AppStream metadata and icon, all named by the app id
#   share/quillora/skins/sample.qss, share/doc/quillora/README.md
set(QUILLORA_APP_ID example.quillora.Quillora)
# Installing and packaging build nothing themselves: scripts/package.sh and the install
# check build the two programs first, so packaging never waits for the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(QUILLORA_PROGRAM_FOLDER lib/quillora)

install(TARGETS quillora quillora-cli quillora-cli-draw RUNTIME DESTINATION ${QUILLORA_PROGRAM_FOLDER})
install(TARGETS quillora-cli-regional LIBRARY DESTINATION ${QUILLORA_PROGRAM_FOLDER})
install(FILES ${PROJECT_SOURCE_DIR}/resources/HAND-M.CUR DESTINATION ${QUILLORA_PROGRAM_FOLDER})
foreach(program quillora quillora-cli)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(REMOVE \"\${bin}/${program}\")
    file(CREATE_LINK ../${QUILLORA_PROGRAM_FOLDER}/${program} \"\${bin}/${program}\" SYMBOLIC)
    message(STATUS \"Installing: \${bin}/${program} -> ../${QUILLORA_PROGRAM_FOLDER}/${program}\")")
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/${QUILLORA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${QUILLORA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icon.png
        DESTINATION share/icons/hicolor/256x256/apps RENAME ${QUILLORA_APP_ID}.png)
install(FILES ${PROJECT_SOURCE_DIR}/resources/skins/sample.qss DESTINATION share/quillora/skins)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/quillora)

# The Debian package (scripts/package.sh): quillora_<version>_<arch>.deb. Library
# dependencies come from dpkg-shlibdeps; the platform plugins and the fonts the renderer
# draws with are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillora)
set(CPACK_PACKAGE_VENDOR "Team Tolvane")
set(CPACK_PACKAGE_CONTACT "Team Tolvane <support@quillora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wedding budget to finished spreadsheet workbook")
set(CPACK_PACKAGE_DESCRIPTION "Quillora keeps a wedding budget of 71 line items in ten categories and turns it
into a formatted Excel 97-2003 workbook with its totals, shows the sheet as a
picture and saves it. It carries its own spreadsheet engine; quillora-cli runs
the same engine from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION office)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quillora.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-liberation2, fonts-urw-base35, fonts-dejavu-core, fonts-wine")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils")
include(CPack)
