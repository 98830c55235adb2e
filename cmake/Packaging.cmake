# `cmake --build build/plain --target package` (or cpack) makes one .deb from the install
# rules. Its dependencies are read from the programs' own libraries (dpkg-shlibdeps), so
# they follow whatever the build linked.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ferrovane)
set(CPACK_PACKAGE_VENDOR "Ferrovane")
set(CPACK_PACKAGE_CONTACT "Ferrovane developers <developers@ferrovane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop client for the Ferrovane router download service")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Ferrovane is a download service (BitTorrent, NZB) that runs on a home router.
This package lets a Linux desktop watch and control the router's downloads and
send .torrent and .nzb files to it. It ships the window (ferrovane), the
command-line companion (fvctl) and a simulated router (fv-routersim).")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The utility library is the package's own; dpkg-shlibdeps finds it through the programs'
# relative run path in the staging folder.
# Opening finished files and the file-type defaults go through the desktop's own tools. The
# SMB client library is loaded only when the share is first used (dlopen), so the scan of the
# programs' links cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, shared-mime-info, libsmbclient")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
