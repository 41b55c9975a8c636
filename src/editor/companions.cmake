target_sources(krq_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/unWordLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqAutoCorrect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TKrqCompletionProposal.cpp)
