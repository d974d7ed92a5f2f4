# Installing the desktop program: the program and its content in one program directory
# (<prefix>/lib/orvane/, where it finds Qzr.mas, NoBank.html and help/), a bin/orvane link,
# the menu entry, the .94b file type and the icon, so a file manager opens banks with Orvane.
include(GNUInstallDirs)
set(ORVANE_INSTALL_PROGRAM_DIR lib/orvane)

install(TARGETS orvane RUNTIME DESTINATION ${ORVANE_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/share/ DESTINATION ${ORVANE_INSTALL_PROGRAM_DIR}
        PATTERN CMakeLists.txt EXCLUDE PATTERN desktop EXCLUDE)
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../${ORVANE_INSTALL_PROGRAM_DIR}/orvane
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/orvane\" SYMBOLIC)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/orvane -> ../${ORVANE_INSTALL_PROGRAM_DIR}/orvane\")
")

install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvane-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME orvane.xml)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/res/images/orvane-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME orvane.png)
endforeach()

# Refresh the desktop's caches when installing into the running system (not into a staging DESTDIR).
install(CODE "
  if(NOT \"\$ENV{DESTDIR}\")
    find_program(ORVANE_UPDATE_MIME update-mime-database)
    find_program(ORVANE_UPDATE_DESKTOP update-desktop-database)
    if(ORVANE_UPDATE_MIME)
      execute_process(COMMAND \${ORVANE_UPDATE_MIME} \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/mime\"
                      OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(ORVANE_UPDATE_DESKTOP)
      execute_process(COMMAND \${ORVANE_UPDATE_DESKTOP} \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
                      OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
")
