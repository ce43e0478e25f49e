# `cpack -G DEB` in the build folder: a Debian package of the installed tree,
# its dependencies found by dpkg-shlibdeps from the programs and plug-ins.

set(CPACK_PACKAGE_NAME kelvarine)
set(CPACK_PACKAGE_VENDOR "The Kelvarine developers")
set(CPACK_PACKAGE_CONTACT "The Kelvarine developers <maintainers@kelvarine.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch processing of photographs through a chain of filters")
set(CPACK_PACKAGE_DESCRIPTION
"Kelvarine converts whole collections of photographs in one run. A wizard
collects pictures and folders, builds a chain of filters (resize, crop,
rotate, levels, hue and saturation, sharpen, blur, borders and artistic
effects) with a before and after preview, names the new files from
templates and writes them in JPEG, PNG, TIFF and many other formats, or as
one multi-page document.
.
kelvarine-batch runs saved projects, or jobs given on its command line,
without a display.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/;/bench/photos/;/examples/output/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own German dialogs (file and colour choosers, message boxes);
# dcraw reads camera raw files.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, dcraw, ghostscript")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
