# The Debian package: `cpack -G DEB` in the build folder (scripts/package-deb)
# writes undercroft_VERSION_amd64.deb from what `cmake --install` lays out,
# installed under /usr. Its dependencies are the shared libraries the
# binaries use, found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME undercroft)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "The undercroft developers <undercroft@undercroft.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "explore a generated voxel world and its nine-level dungeon")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "undercroft builds a voxel world and lets you explore it: an overworld map,\n\
a generated dungeon of nine levels of rooms, doors, stairs and furnishings,\n\
and a 3D world of rock carved from them, seen in a free-flying OpenGL view\n\
or as a top-down tile map. undercroft-tool runs the program's own code\n\
headless: it writes worlds, plans, snapshots and voxel models.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
