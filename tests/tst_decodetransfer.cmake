# Runs the built kelvarine-batch and its decoding helper.
add_dependencies(tst_decodetransfer kelvarine-batch kelvarine-decode)
