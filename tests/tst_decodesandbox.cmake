# Runs the built kelvarine-batch and its decoding helper.
add_dependencies(tst_decodesandbox kelvarine-batch kelvarine-decode)
