# `make package`: a Debian package of what `cmake --install` installs, so every
# install rule of the tree lands in it. Its version is the project's.
#
# Other parts of the tree add what they need at run time with
#   sheetwright_package_depends(python3 python3-numpy)
#   sheetwright_package_recommends(python3-qgis)
#   sheetwright_package_suggests(qgis)
# before this file is included (at the end of the top CMakeLists.txt).

# The documents Debian asks of every package: the copyright and a changelog,
# compressed as it installs them.
set(package_doc ${CMAKE_INSTALL_DATADIR}/doc/sheetwright)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
    VERBATIM)
add_custom_target(package-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${package_doc})

# Loaded at run time, so no library dependency names them: Qt's platform
# plugins, the SVG icon engine (tool bar glyphs), and the font the report is
# measured and drawn with.
sheetwright_package_depends(qt6-qpa-plugins libqt6svg6 fonts-wine)
# Devanagari file names in the report's PDF.
sheetwright_package_recommends(fonts-lohit-deva)

get_property(depends GLOBAL PROPERTY SHEETWRIGHT_PACKAGE_DEPENDS)
get_property(recommends GLOBAL PROPERTY SHEETWRIGHT_PACKAGE_RECOMMENDS)
get_property(suggests GLOBAL PROPERTY SHEETWRIGHT_PACKAGE_SUGGESTS)
list(REMOVE_DUPLICATES depends)
list(JOIN depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
if(recommends)
    list(REMOVE_DUPLICATES recommends)
    list(JOIN recommends ", " CPACK_DEBIAN_PACKAGE_RECOMMENDS)
endif()
if(suggests)
    list(REMOVE_DUPLICATES suggests)
    list(JOIN suggests ", " CPACK_DEBIAN_PACKAGE_SUGGESTS)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sheetwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Sheetwright developers")
set(CPACK_PACKAGE_CONTACT "Sheetwright developers <dev@sheetwright.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find the topographic map sheets covering a place or an area")
file(READ ${CMAKE_CURRENT_LIST_DIR}/description.txt CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://sheetwright.invalid/")
# The libraries the binaries and modules link against, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The modules under lib/sheetwright are private: no shlibs file, no ldconfig.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Files root owns, directories and files with Debian's usual modes.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# With debugging information compiled in (`make package` builds so), CPack
# moves the symbols to sheetwright-dbgsym and strips the programs itself;
# otherwise the install step strips them.
if(SHEETWRIGHT_DEBUG_SYMBOLS)
    set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
    set(CPACK_STRIP_FILES OFF)
else()
    set(CPACK_STRIP_FILES ON)
endif()
# The C++ API's shared library, headers, CMake and pkg-config files (the
# `library` component) are for programs built against `cmake --install`; the
# package carries the programs, the Python module (which holds the API itself)
# and the QGIS plugin. A public library would want a package of its own.
get_cmake_property(package_components COMPONENTS)
list(REMOVE_ITEM package_components library)
set(CPACK_COMPONENTS_ALL ${package_components})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
include(CPack)
