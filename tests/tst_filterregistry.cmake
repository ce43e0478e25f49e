# Plug-ins of the registry test's own, in a folder of their own.
set(test_plugin_dir ${CMAKE_CURRENT_BINARY_DIR}/registry_plugins)
set(test_plugin_src ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/testplugin)
foreach(plugin
        "testplugin_gaussian|Effects\\\\Gaussian Blur|first gaussian"
        "testplugin_blur_a|Effects\\\\Blur|first blur"
        "testplugin_blur_b|Effects\\\\Blur|second blur")
    string(REPLACE "|" ";" parts "${plugin}")
    list(GET parts 0 target)
    list(GET parts 1 category)
    list(GET parts 2 description)
    kelvarine_add_plugin(NAME ${target} OUTPUT_DIR ${test_plugin_dir}
        SOURCES ${test_plugin_src}/testfiltereffect.cpp ${test_plugin_src}/testfiltereffect.h)
    target_compile_definitions(${target} PRIVATE
        "TEST_CATEGORY=\"${category}\"" "TEST_DESCRIPTION=\"${description}\"")
    add_dependencies(tst_filterregistry ${target})
endforeach()
add_library(notaplugin SHARED ${test_plugin_src}/notaplugin.cpp)
set_target_properties(notaplugin PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${test_plugin_dir})
add_dependencies(tst_filterregistry notaplugin)
target_compile_definitions(tst_filterregistry PRIVATE TEST_PLUGIN_DIR="${test_plugin_dir}")
