# The version resources of the two programs and the release zip
# (Windows build only): velmora-<version>-win64.zip holds velmora.exe,
# velmora-encode.exe, README.txt, LICENSE.txt and samples/, in a folder of
# the same name. `cmake --build --preset windows --target release` makes it.

# The release needs only the two programs, not every test (cpack installs).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# velmora_version_info(TARGET DESCRIPTION): a VERSIONINFO resource for the
# program TARGET, its version the project's.
function(velmora_version_info target description)
  set(VERSION_NAME ${target})
  set(VERSION_FILE ${target}.exe)
  set(VERSION_DESCRIPTION ${description})
  configure_file(${PROJECT_SOURCE_DIR}/resources/version.rc.in
                 ${CMAKE_BINARY_DIR}/version/${target}-version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/version/${target}-version.rc)
endfunction()

velmora_version_info(velmora "velmora: MIDI notes to assembler data")
velmora_version_info(velmora-encode "velmora-encode: MIDI notes to assembler data, command line")

# Texts for Notepad: CR LF line ends and a .txt name.
configure_file(${PROJECT_SOURCE_DIR}/README.md ${CMAKE_BINARY_DIR}/release/README.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/release/LICENSE.txt
               @ONLY NEWLINE_STYLE CRLF)

install(TARGETS velmora velmora-encode RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/release/README.txt ${CMAKE_BINARY_DIR}/release/LICENSE.txt
        DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION samples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR brelvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME velmora-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/release)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
include(CPack)

set(VELMORA_RELEASE_ZIP ${CMAKE_BINARY_DIR}/release/velmora-${PROJECT_VERSION}-win64.zip)
add_custom_target(release
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  DEPENDS velmora velmora-encode
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Making ${VELMORA_RELEASE_ZIP}"
  VERBATIM)
