# The wizard with the German translation installed.
target_link_libraries(tst_wizardlanguage PRIVATE kelvarine_gui)
