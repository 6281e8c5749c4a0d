# `make package`: a Debian package of what `cmake --install` puts under /usr, named
# varmelo_<version>_<arch>.deb. Its library dependencies come from the binaries themselves
# (dpkg-shlibdeps); the Qt platform plugins are loaded at run time, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varmelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Varmelo team")
set(CPACK_PACKAGE_CONTACT "Varmelo team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer and editor for game resource archives")
set(CPACK_PACKAGE_DESCRIPTION
    "Varmelo opens the resource archives of several games (Grand Theft Auto IMG,
Syberia 2, Harry Potter and the Goblet of Fire, Prey and others), lists, extracts
and previews their entries - textures, models, collision and placement files -
and edits GTA IMG archives.
The package holds the desktop program varmelo and the command-line tool
varmelo-cli.")
set(CPACK_STRIP_FILES ON)
# Installs through DESTDIR, so the install step knows not to refresh the MIME and desktop
# databases inside the package: the system's own triggers do that when it is installed.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
