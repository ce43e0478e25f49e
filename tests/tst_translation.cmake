# Runs the built kelvarine-batch with the built plug-ins.
add_dependencies(tst_translation kelvarine-batch)
