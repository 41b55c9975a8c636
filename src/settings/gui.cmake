# The options window and its swatches (Qt).
target_sources(krq_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TOptionsHost.h
  ${CMAKE_CURRENT_LIST_DIR}/TKrqColorSwatch.h
  ${CMAKE_CURRENT_LIST_DIR}/TKrqColorSwatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frOptions.h
  ${CMAKE_CURRENT_LIST_DIR}/frOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frOptionsPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frOptionsMarkers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frOptionsWordLists.cpp)
