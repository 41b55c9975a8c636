# The command layer: key map, editing commands, hooks, clipboard and search.
target_sources(krq_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditKeyMap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditCaretCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditEditCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditBlockCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditFindReplace.cpp)
