# Installs the build into a prefix of its own and runs what landed there.
target_compile_definitions(tst_install PRIVATE
    CMAKE_COMMAND="${CMAKE_COMMAND}"
    KELVARINE_BUILD_DIR="${CMAKE_BINARY_DIR}"
    KELVARINE_INSTALL_BINDIR="${CMAKE_INSTALL_BINDIR}"
    KELVARINE_INSTALL_PLUGINDIR="${KELVARINE_INSTALL_PLUGINDIR}"
    KELVARINE_INSTALL_LIBEXECDIR="${KELVARINE_INSTALL_LIBEXECDIR}"
    KELVARINE_INSTALL_DATADIR="${CMAKE_INSTALL_DATADIR}"
    KELVARINE_INSTALL_MANDIR="${CMAKE_INSTALL_MANDIR}")
add_dependencies(tst_install kelvarine-batch kelvarine_compressed_docs)
foreach(target kelvarine updater kelvarine_res kelvarine_help)
    if(TARGET ${target})
        add_dependencies(tst_install ${target})
    endif()
endforeach()
set_tests_properties(tst_install PROPERTIES TIMEOUT 600)
