# Installing like any Linux program: the program folder under
# ${YKT_INSTALL_PROGRAMDIR}, launchers in ${CMAKE_INSTALL_BINDIR}, the menu
# entry, its icon, the AppStream data, the udev rule, and the Debian package
# built from all of it by `cpack -G DEB` (scripts/package.sh).

set(YKT_APP_ID "org.ykt4m.loader")
set(YKT_PACKAGING_DIR "${CMAKE_CURRENT_LIST_DIR}")
set(YKT_PACKAGING_OUT "${CMAKE_BINARY_DIR}/packaging")
file(MAKE_DIRECTORY "${YKT_PACKAGING_OUT}")

# The launchers are relative symbolic links into the program folder. The
# programs find their data files beside the real executable
# (QCoreApplication::applicationDirPath follows /proc/self/exe), so a link
# is enough.
file(RELATIVE_PATH YKT_LAUNCHER_TARGET_DIR "/${CMAKE_INSTALL_BINDIR}" "/${YKT_INSTALL_PROGRAMDIR}")
foreach(program ykt4m-loader ykt4m-cli)
  file(CREATE_LINK "${YKT_LAUNCHER_TARGET_DIR}/${program}" "${YKT_PACKAGING_OUT}/${program}" SYMBOLIC)
  install(FILES "${YKT_PACKAGING_OUT}/${program}" DESTINATION "${CMAKE_INSTALL_BINDIR}")
endforeach()

# The menu entry, its icon and the AppStream component.
install(FILES "${YKT_PACKAGING_DIR}/${YKT_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${YKT_PACKAGING_DIR}/${YKT_APP_ID}.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${YKT_PACKAGING_DIR}/${YKT_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# The manual pages and the package's documentation folder: the copyright
# file and the changelog, compressed without a time stamp as Debian wants.
set(YKT_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME}")
find_program(YKT_GZIP gzip)
if(YKT_GZIP)
  set(YKT_COMPRESSED)
  foreach(pair "changelog;changelog.gz" "ykt4m-loader.1;ykt4m-loader.1.gz"
               "ykt4m-cli.1;ykt4m-cli.1.gz")
    list(GET pair 0 source)
    list(GET pair 1 output)
    add_custom_command(OUTPUT "${YKT_PACKAGING_OUT}/${output}"
                       COMMAND "${YKT_GZIP}" -9nc "${YKT_PACKAGING_DIR}/${source}" >
                               "${YKT_PACKAGING_OUT}/${output}"
                       DEPENDS "${YKT_PACKAGING_DIR}/${source}"
                       COMMENT "Compressing ${source}")
    list(APPEND YKT_COMPRESSED "${YKT_PACKAGING_OUT}/${output}")
  endforeach()
  add_custom_target(ykt_packaging_docs ALL DEPENDS ${YKT_COMPRESSED})
  install(FILES "${YKT_PACKAGING_OUT}/changelog.gz" DESTINATION "${YKT_DOC_DIR}")
  install(FILES "${YKT_PACKAGING_OUT}/ykt4m-loader.1.gz" "${YKT_PACKAGING_OUT}/ykt4m-cli.1.gz"
          DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endif()
install(FILES "${YKT_PACKAGING_DIR}/copyright" DESTINATION "${YKT_DOC_DIR}")

# The Debian package.
set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VENDOR "YKT4M Loader developers")
set(CPACK_PACKAGE_CONTACT "YKT4M Loader developers <packaging@ykt4m-loader.example.org>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configures YKT GSM/GPRS alarm communicator modules")
set(CPACK_PACKAGE_DESCRIPTION_FILE "${YKT_PACKAGING_DIR}/description.txt")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window system backend as a plug-in, which no library links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)

# The changelog's newest entry names the package's version; lintian objects
# when they differ.
file(STRINGS "${YKT_PACKAGING_DIR}/changelog" YKT_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT YKT_CHANGELOG_TOP MATCHES "^${PROJECT_NAME} \\(${CPACK_PACKAGE_VERSION}\\) ")
  message(WARNING "packaging/changelog does not start with version ${CPACK_PACKAGE_VERSION}; "
                  "add an entry for it (and a release to the metainfo file)")
endif()
