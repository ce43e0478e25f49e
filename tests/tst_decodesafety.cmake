# Runs the built kelvarine-batch.
add_dependencies(tst_decodesafety kelvarine-batch)
