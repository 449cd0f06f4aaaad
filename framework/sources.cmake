# The framework's portable part; the window classes are added by the Windows build.
target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/KvText.cpp)

if(WIN32)
  # Window objects, controls, dialogs and platform wrappers.
  add_library(velmora_framework STATIC
    ${CMAKE_CURRENT_LIST_DIR}/KvWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvControl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvToolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvStatusBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvTabControl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvListView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvTreeView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvGdiObject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvFont.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvPropertyPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvPropertySheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvApplication.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvMessage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvRegKey.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvRect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvPoint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvDC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvPaintDC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvDropFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KvGlobalMemory.cpp)
  target_include_directories(velmora_framework PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(velmora_framework PUBLIC velmora_core comctl32 shell32 gdi32 user32 advapi32)

  # The program entry point (WinMain), an object library so that the linker
  # always takes it: only the GUI program links it; test programs have main.
  add_library(velmora_entry OBJECT ${CMAKE_CURRENT_LIST_DIR}/KvEntryPoint.cpp)
  target_link_libraries(velmora_entry PUBLIC velmora_framework)
endif()
