# Printing and the completion list window: Qt parts of the editing component beside the widget.
target_sources(krq_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditPrint.h
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqCompletionList.h
  ${CMAKE_CURRENT_LIST_DIR}/TKrqCompletionList.cpp)
