# Runs the built kelvarine-batch; its own fsync and unlink must be seen by the
# libraries it is linked with.
add_dependencies(tst_filesafety kelvarine-batch)
set_target_properties(tst_filesafety PROPERTIES ENABLE_EXPORTS ON)
