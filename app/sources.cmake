target_sources(velmora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ErrorRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorTexts.cpp)
if(WIN32)
  target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SystemErrorTextWin.cpp)
else()
  target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SystemErrorTextPosix.cpp)
endif()
target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/PaneLayout.cpp)

if(WIN32)
  # The windows of the program: main window and panes, settings, options,
  # and the data view side of encode/.
  add_library(velmora_app STATIC
    ${CMAKE_CURRENT_LIST_DIR}/AboutDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EncodePage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FrameClass.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GeneralPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainApplication.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainToolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OptionsSheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RightFrame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
    ${PROJECT_SOURCE_DIR}/encode/ChannelToolBar.cpp
    ${PROJECT_SOURCE_DIR}/encode/DataFrame.cpp
    ${PROJECT_SOURCE_DIR}/encode/DataView.cpp)
  target_link_libraries(velmora_app PUBLIC velmora_framework)

  # The program's resources, compiled from the UTF-8 script.
  add_library(velmora_resources OBJECT ${PROJECT_SOURCE_DIR}/resources/velmora.rc)
  target_include_directories(velmora_resources PRIVATE ${PROJECT_SOURCE_DIR}/resources)

  add_executable(velmora WIN32 ${CMAKE_CURRENT_LIST_DIR}/velmora.cpp)
  target_link_libraries(velmora PRIVATE velmora_app velmora_entry velmora_resources)
endif()
