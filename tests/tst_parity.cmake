# Compares the wizard's engine with the built kelvarine-batch and its plug-ins.
add_dependencies(tst_parity kelvarine-batch)
