# The wizard's windows, and kelvarine-batch as the reference for its outputs.
target_link_libraries(tst_wizard PRIVATE kelvarine_gui)
add_dependencies(tst_wizard kelvarine-batch)
# The test reaches the window's widgets through its form.
set_property(TARGET tst_wizard APPEND PROPERTY AUTOUIC_SEARCH_PATHS ${CMAKE_SOURCE_DIR}/app/wizard)
