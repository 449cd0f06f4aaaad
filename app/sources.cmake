target_sources(velmora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ErrorRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorTexts.cpp)
if(WIN32)
  target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SystemErrorTextWin.cpp)
else()
  target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SystemErrorTextPosix.cpp)
endif()
target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/PaneLayout.cpp)
