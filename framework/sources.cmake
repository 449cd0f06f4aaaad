# The framework's portable part; the window classes are added by the Windows build.
target_sources(velmora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/KvText.cpp)
