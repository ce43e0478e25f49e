# Checks what the build places beside the program: the manual, the images, the updater.
foreach(target updater kelvarine_res kelvarine_help)
    if(TARGET ${target})
        add_dependencies(tst_programfiles ${target})
    endif()
endforeach()
# The wizard reads its images with the toolkit; so does the test.
target_link_libraries(tst_programfiles PRIVATE Qt6::Gui)
