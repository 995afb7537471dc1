# What `cmake --install` puts in place: the two programs with the data built beside them
# (they find it beside themselves) in lib/quorvane, commands in bin, and the desktop's entry,
# icon and file type of settings files (.qvs), so the program is in the desktop's menu and a
# double-clicked settings file opens in it.
include(GNUInstallDirs)
set(QV_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/quorvane)
install(TARGETS quorvane_gui qv RUNTIME DESTINATION ${QV_INSTALL_DIR})
# The data tools write these beside the build's programs; each is copied when it was built.
install(CODE "
  foreach(data Database Images Help \"Demo Settings Files\")
    if(EXISTS \"${CMAKE_BINARY_DIR}/\${data}\")
      file(INSTALL \"${CMAKE_BINARY_DIR}/\${data}\"
           DESTINATION \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QV_INSTALL_DIR}\")
    endif()
  endforeach()
  foreach(program quorvane qv)
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK \"../${QV_INSTALL_DIR}/\${program}\"
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\" SYMBOLIC)
  endforeach()
  # The entry names the program by its installed path: ~/.local/bin is not always on PATH.
  set(QUORVANE_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${QV_INSTALL_DIR}/quorvane\")
  configure_file(\"${CMAKE_SOURCE_DIR}/resources/desktop/quorvane.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/quorvane.desktop\" @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/quorvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/desktop/quorvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES resources/desktop/quorvane-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME quorvane.xml)
# The desktop's caches, when installing for real (a packager's DESTDIR run leaves them alone).
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    find_program(QV_UPDATE_MIME update-mime-database)
    find_program(QV_UPDATE_DESKTOP update-desktop-database)
    if(QV_UPDATE_MIME)
      execute_process(COMMAND \${QV_UPDATE_MIME} \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/mime\")
    endif()
    if(QV_UPDATE_DESKTOP)
      execute_process(COMMAND \${QV_UPDATE_DESKTOP} \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
    endif()
  endif()
")
