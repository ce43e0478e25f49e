# Runs the built kelvarine-batch and reads its outputs back with Exiv2.
add_dependencies(tst_output kelvarine-batch)
target_link_libraries(tst_output PRIVATE PkgConfig::EXIV2)
