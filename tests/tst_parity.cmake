# Compares the wizard's engine with the built kelvarine-batch and its plug-ins.
add_dependencies(tst_parity kelvarine-batch)
target_sources(tst_parity PRIVATE metadatautils.cpp metadatautils.h)
target_link_libraries(tst_parity PRIVATE PkgConfig::EXIV2 ZLIB::ZLIB)
