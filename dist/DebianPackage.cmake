# The Debian package: `cpack --config build/release/CPackConfig.cmake` (see the README).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quenlow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Quenlow developers <quenlow@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game: join equal letter tiles before the time runs out")
# CPack puts the summary above this as the synopsis line.
set(CPACK_PACKAGE_DESCRIPTION
    "Quenlow is a puzzle of letter tiles. Two equal letters vanish when a path of
at most three straight segments through empty cells joins them. A time bar
runs down, nine stages make the remaining tiles slide in different directions,
and the best score of each difficulty is kept for every player.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://quenlow.example.org/")
# The libraries come from the program itself; the fonts it draws its labels and names with
# are looked up by name at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-wqy-microhei, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
