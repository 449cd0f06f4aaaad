#pragma once
// Writing a whole file so that it is either there complete or not changed:
// the bytes go to a new file of a temporary name in the target's folder,
// which then takes the target's name in one step, replacing a file there.
#include <windows.h>

#include <string>

// ERROR_SUCCESS, or the system's code of the step that failed; the
// temporary file is gone again on every path.
DWORD WriteWholeFile(const std::string& path, const std::string& bytes);
