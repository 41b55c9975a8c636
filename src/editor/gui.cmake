target_sources(krq_gui PRIVATE
  TKrqEdit.h
  TKrqEdit.cpp
  TKrqEditViewImpl.h
  TKrqEditView.cpp
  TKrqEditPaint.cpp
  TKrqEditInput.cpp
  TKrqEditDragDrop.cpp
  TKrqEditQtClipboard.h
  TKrqEditQtClipboard.cpp)
