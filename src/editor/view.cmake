# What the model tells its views; Qt-free, so it lives in the core library.
target_sources(krq_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TKrqEditModelView.cpp)
