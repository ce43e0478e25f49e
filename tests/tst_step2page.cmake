target_link_libraries(tst_step2page PRIVATE kelvarine_gui)
# The main window's form comes generated with the GUI library.
set_target_properties(tst_step2page PROPERTIES AUTOUIC OFF)
