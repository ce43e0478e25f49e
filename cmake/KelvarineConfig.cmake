# kelvarine_config: the one header (kelvarineconfig.h) that tells every program
# its version and where its installed files lie relative to the executable.

# Paths are kept relative to bin/, so an installed tree works at any prefix and
# can be moved as a whole.
function(kelvarine_relative_to_bindir out dir)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" OR IS_ABSOLUTE "${dir}")
        file(RELATIVE_PATH rel "${CMAKE_INSTALL_FULL_BINDIR}" "${dir}")
    else()
        file(RELATIVE_PATH rel "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${dir}")
    endif()
    set(${out} "${rel}" PARENT_SCOPE)
endfunction()

kelvarine_relative_to_bindir(KELVARINE_RELATIVE_PLUGINDIR "${KELVARINE_INSTALL_PLUGINDIR}")
kelvarine_relative_to_bindir(KELVARINE_RELATIVE_DATADIR "${KELVARINE_INSTALL_DATADIR}")
kelvarine_relative_to_bindir(KELVARINE_RELATIVE_LIBEXECDIR "${KELVARINE_INSTALL_LIBEXECDIR}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvarineconfig.h.in
               ${CMAKE_BINARY_DIR}/config/kelvarineconfig.h @ONLY)
add_library(kelvarine_config INTERFACE)
target_include_directories(kelvarine_config INTERFACE ${CMAKE_BINARY_DIR}/config)
