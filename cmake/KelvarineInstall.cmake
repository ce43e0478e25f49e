# The installed program: `cmake --install build --prefix P` gives a tree that works
# where it lands. The programs find their plug-ins and data relative to their own
# folder (resourcedir.cpp), so no path is compiled in and no RPATH is needed: every
# library they link lives in the system's library folders.

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS kelvarine kelvarine-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The helper programs, images (res/) and the manual (help/) install themselves with
# their folders.

# Desktop integration: menu entry, icon, project file type, software centre data.
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)
set(KELVARINE_ICON ${CMAKE_SOURCE_DIR}/res/kelvarine.svg)
configure_file(${packaging}/com.kelvarine.Kelvarine.metainfo.xml.in
               ${generated}/com.kelvarine.Kelvarine.metainfo.xml @ONLY)
install(FILES ${packaging}/kelvarine.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KELVARINE_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME kelvarine.svg)
install(FILES ${packaging}/kelvarine-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME kelvarine.xml)
install(FILES ${generated}/com.kelvarine.Kelvarine.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the package's documents, compressed as distributions ship them
# (-n: no time stamp, so that the same sources give the same files).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed)
foreach(page kelvarine.1 kelvarine-batch.1)
    configure_file(${packaging}/${page}.in ${generated}/${page} @ONLY)
    list(APPEND compressed ${generated}/${page})
endforeach()
list(APPEND compressed ${packaging}/changelog)
set(compressed_outputs)
foreach(file IN LISTS compressed)
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${generated}/${name}.gz
        COMMAND ${GZIP_PROGRAM} -9nc ${file} > ${generated}/${name}.gz
        DEPENDS ${file}
        VERBATIM)
    list(APPEND compressed_outputs ${generated}/${name}.gz)
endforeach()
add_custom_target(kelvarine_compressed_docs ALL DEPENDS ${compressed_outputs})
install(FILES ${generated}/kelvarine.1.gz ${generated}/kelvarine-batch.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelvarine)
