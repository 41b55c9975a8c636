# Copies SRC to DST only when DST does not exist yet: the user's own file is never replaced.
if(NOT EXISTS "${DST}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()
