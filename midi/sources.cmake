target_sources(velmora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/KernelHandle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileHandle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MappingHandle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/File.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DiskFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MappedFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SmfFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SmfNoteFile.cpp)
if(WIN32)
  target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/OsFileWin.cpp)
else()
  target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/OsFilePosix.cpp)
endif()
