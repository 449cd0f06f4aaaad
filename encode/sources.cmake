target_sources(velmora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CompiledFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineFormatter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NoteEncoder.cpp)
