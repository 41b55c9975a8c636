# The main window and its parts; each subsystem's commands live in its own folder.
target_sources(krq_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frMain.h
  ${CMAKE_CURRENT_LIST_DIR}/frMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainStartup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frMainMarkers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqMRUList.h
  ${CMAKE_CURRENT_LIST_DIR}/TKrqMRUList.cpp)
