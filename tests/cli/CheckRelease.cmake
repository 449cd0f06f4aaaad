cmake_policy(SET CMP0057 NEW)  # IN_LIST
# Makes the release zip of the Windows build BUILD_DIR, unpacks it, checks
# what it holds and that the programs import no DLL that Windows lacks, then
# runs velmora-encode.exe from the unpacked folder (through EMULATOR) on a
# sample and compares its output with the expected encoding.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target release
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT result EQUAL 0 OR NOT EXISTS ${ZIP})
  message(FATAL_ERROR "the release target did not make ${ZIP}:\n${log}")
endif()

set(unpacked ${BUILD_DIR}/release-check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${unpacked} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${ZIP} does not unpack")
endif()
string(REGEX REPLACE "\\.zip$" "" top "${ZIP}")
get_filename_component(top ${top} NAME)
set(root ${unpacked}/${top})

file(GLOB_RECURSE files RELATIVE ${unpacked} ${unpacked}/*)
list(SORT files)
foreach(required velmora.exe velmora-encode.exe README.txt LICENSE.txt samples/scale.mid samples/scale.txt)
  if(NOT EXISTS ${root}/${required})
    message(FATAL_ERROR "${required} is not in ${top}/ of the zip; it holds: ${files}")
  endif()
endforeach()
file(GLOB dlls ${root}/*.dll ${root}/*.DLL)
if(dlls)
  message(FATAL_ERROR "DLLs in the zip: ${dlls}")
endif()

# Every DLL the programs import must come with Windows itself.
set(system_dlls ADVAPI32 COMCTL32 COMDLG32 GDI32 KERNEL32 MSVCRT OLE32 OLEAUT32 SHELL32 SHLWAPI USER32
                UXTHEME VERSION WS2_32 WINMM IMM32)
foreach(program velmora.exe velmora-encode.exe)
  execute_process(COMMAND ${OBJDUMP} -p ${root}/${program} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${program}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  foreach(line IN LISTS imports)
    string(REGEX REPLACE "DLL Name: ([^.]+)\\.[dD][lL][lL].*" "\\1" dll "${line}")
    string(TOUPPER "${dll}" dll)
    if(NOT dll IN_LIST system_dlls AND NOT dll MATCHES "^API-MS-WIN-")
      message(FATAL_ERROR "${program} imports ${dll}.dll, which Windows does not have")
    endif()
  endforeach()
endforeach()

set(out ${unpacked}/scale.out)
execute_process(COMMAND ${EMULATOR} ./velmora-encode.exe samples/scale.mid
                WORKING_DIRECTORY ${root} RESULT_VARIABLE result OUTPUT_FILE ${out} ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "velmora-encode.exe from the zip: exit status ${result}\n${errors}")
endif()
file(READ ${out} actual HEX)
file(READ ${root}/samples/scale.txt expected HEX)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "velmora-encode.exe from the zip encodes samples/scale.mid differently")
endif()
file(REMOVE_RECURSE ${unpacked})
message(STATUS "${top}.zip: ${files}")
