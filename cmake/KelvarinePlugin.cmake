# kelvarine_add_plugin(NAME <target> SOURCES <files...> [OUTPUT_DIR <dir>])
#
# Builds one filter plug-in as a module on the common frame, puts it where the
# program loads plug-ins from and installs it there. Tests pass OUTPUT_DIR to
# build plug-ins of their own into a folder of their choosing; those are not
# installed.
function(kelvarine_add_plugin)
    cmake_parse_arguments(ARG "" "NAME;OUTPUT_DIR" "SOURCES" ${ARGN})
    if(NOT ARG_NAME)
        message(FATAL_ERROR "kelvarine_add_plugin: NAME is required")
    endif()
    if(NOT ARG_SOURCES)
        message(FATAL_ERROR "kelvarine_add_plugin(${ARG_NAME}): SOURCES is required")
    endif()
    set(shipped FALSE)
    if(NOT ARG_OUTPUT_DIR)
        set(ARG_OUTPUT_DIR ${KELVARINE_PLUGIN_DIR})
        set(shipped TRUE)
    endif()
    add_library(${ARG_NAME} MODULE ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE kelvarine_plugin_frame)
    set_target_properties(${ARG_NAME} PROPERTIES
        LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR}
        PREFIX "lib")
    if(shipped)
        # Programs that load every plug-in (the fuzz targets) depend on this list.
        set_property(GLOBAL APPEND PROPERTY KELVARINE_SHIPPED_PLUGINS ${ARG_NAME})
        install(TARGETS ${ARG_NAME} LIBRARY DESTINATION ${KELVARINE_INSTALL_PLUGINDIR})
    endif()
endfunction()
