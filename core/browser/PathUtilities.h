#pragma once
// Small path and number texts. They never fail; where the platform call
// fails the result is empty. Splitting is double-byte aware: the trail byte
// of a Shift-JIS character (0x5C in 表) is never a separator.
#include <cstdint>
#include <string>

constexpr unsigned kPathDirectory = 1;  // drive and directory
constexpr unsigned kPathFileName = 2;
constexpr unsigned kPathExtension = 4;  // from the file name's last "." on

// The selected parts of the path, joined in the order drive and directory,
// file name, extension. Both "\" and "/" separate, as for _splitpath.
std::string PathParts(const std::string& path, unsigned parts);
// The extension without its "." (empty when the file name has none).
std::string ExtensionOf(const std::string& path);
// True when `extension` is "mid" byte for byte (the MIDI-only filter).
bool IsMidiExtensionExact(const std::string& extension);
// True when `extension` is "mid" in any ASCII case (what the data view reads).
bool IsMidiExtensionAnyCase(const std::string& extension);
// True when `name` may name a file or folder inside its folder: not empty,
// no control character and none of \ / : * ? " < > | (a Shift-JIS trail
// byte is part of its character, never one of them).
bool IsValidItemName(const std::string& name);
// Drive and directory, with the trailing separator.
std::string DirectoryOf(const std::string& path);
// The process's current directory (at most 259 characters), or empty.
std::string CurrentDirectory();
// Decimal digits with "," between groups of three: 1234567 -> "1,234,567".
std::string GroupThousands(uint64_t number);
