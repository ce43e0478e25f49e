target_link_libraries(tst_projectactions PRIVATE kelvarine_gui)
# The main window's form comes generated with the GUI library.
set_target_properties(tst_projectactions PROPERTIES AUTOUIC OFF)
add_dependencies(tst_projectactions kelvarine-batch)
