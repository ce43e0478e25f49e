# Copies data files into a folder beside the program in the build tree
# (build/bin/<folder>), so the program finds them there as it does once
# installed, and installs them under share/kelvarine/<folder>.
include(GNUInstallDirs)

function(kelvarine_data_files target folder)
    if(NOT ARGN)
        message(FATAL_ERROR "kelvarine_data_files(${target} ${folder}): no files given")
    endif()
    set(copies)
    foreach(file IN LISTS ARGN)
        get_filename_component(name ${file} NAME)
        set(copy ${KELVARINE_BIN_DIR}/${folder}/${name})
        add_custom_command(OUTPUT ${copy}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${copy}
            DEPENDS ${file}
            COMMENT "Placing ${folder}/${name} beside the program"
            VERBATIM)
        list(APPEND copies ${copy})
    endforeach()
    add_custom_target(${target} ALL DEPENDS ${copies})
    install(FILES ${ARGN} DESTINATION ${KELVARINE_INSTALL_DATADIR}/${folder})
endfunction()
