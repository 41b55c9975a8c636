# The main window and its parts; each subsystem's commands live in its own folder.
target_sources(krq_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frMain.h
  ${CMAKE_CURRENT_LIST_DIR}/frMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainStartup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainEncoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainMarkers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainHelp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help/frAbout.h
  ${CMAKE_CURRENT_LIST_DIR}/help/frAbout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help/unAddresses.h
  ${CMAKE_CURRENT_LIST_DIR}/help/unMailTo.h
  ${CMAKE_CURRENT_LIST_DIR}/help/unMailTo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqMRUList.h
  ${CMAKE_CURRENT_LIST_DIR}/TKrqMRUList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unCommandLine.h
  ${CMAKE_CURRENT_LIST_DIR}/unCommandLine.cpp)
# The about window's banner travels inside the program (frAbout.cpp initialises it, as the
# library is static).
set_target_properties(krq_gui PROPERTIES AUTORCC ON)
target_sources(krq_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/help/res/krq_about.qrc)

# The window's icon travels inside the program, so a copy run from the build folder has it too.
qt_add_resources(krq_gui krq_icon PREFIX /icons BASE ${PROJECT_SOURCE_DIR}/desktop
  FILES ${PROJECT_SOURCE_DIR}/desktop/pl.kwerdel.KwerdelRQ.svg)
