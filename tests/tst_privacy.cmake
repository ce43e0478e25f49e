# Runs the built kelvarine-batch on pictures tagged with Exiv2 and reads the
# outputs back with Exiv2, exiftool and by their bytes.
add_dependencies(tst_privacy kelvarine-batch)
target_sources(tst_privacy PRIVATE metadatautils.cpp metadatautils.h)
target_link_libraries(tst_privacy PRIVATE PkgConfig::EXIV2 ZLIB::ZLIB)
