target_sources(krq_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditStringList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditStringListIO.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditModelEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditSelection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditUndo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqLineArena.cpp)
