#include "core/browser/PathUtilities.h"

#include "core/text/KvText.h"

namespace {

struct SplitPath {
    std::string drive, directory, fileName, extension;
};

// The split of _splitpath: a drive is a letter and ":" at the start; the
// directory runs to the last separator; the extension is the file name's
// last "." and what follows it.
SplitPath Split(const std::string& path)
{
    SplitPath parts;
    size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && !KvText::IsLeadByte(static_cast<unsigned char>(path[0]))) {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
    size_t lastSeparator = std::string::npos;
    size_t lastDot = std::string::npos;
    for (size_t i = start; i < path.size();) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (KvText::IsLeadByte(c)) {
            i += 2;
            continue;
        }
        if (c == '\\' || c == '/') {
            lastSeparator = i;
            lastDot = std::string::npos;
        } else if (c == '.') {
            lastDot = i;
        }
        ++i;
    }
    const size_t nameStart = lastSeparator == std::string::npos ? start : lastSeparator + 1;
    parts.directory = path.substr(start, nameStart - start);
    const size_t nameEnd = lastDot == std::string::npos ? path.size() : lastDot;
    parts.fileName = path.substr(nameStart, nameEnd - nameStart);
    if (lastDot != std::string::npos) parts.extension = path.substr(lastDot);
    return parts;
}

}  // namespace

std::string PathParts(const std::string& path, unsigned parts)
{
    const SplitPath split = Split(path);
    std::string result;
    if (parts & kPathDirectory) result += split.drive + split.directory;
    if (parts & kPathFileName) result += split.fileName;
    if (parts & kPathExtension) result += split.extension;
    return result;
}

std::string ExtensionOf(const std::string& path)
{
    std::string extension = PathParts(path, kPathExtension);
    if (!extension.empty()) extension.erase(0, 1);
    return extension;
}

bool IsMidiExtensionExact(const std::string& extension)
{
    return extension == "mid";
}

bool IsValidItemName(const std::string& name)
{
    if (name.empty()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(name[i]);
        if (KvText::IsLeadByte(byte)) {
            if (++i == name.size()) return false;  // a character cut in half
            continue;
        }
        if (byte < 0x20 || std::string("\\/:*?\"<>|").find(char(byte)) != std::string::npos) return false;
    }
    return true;
}

bool IsMidiExtensionAnyCase(const std::string& extension)
{
    return extension.size() == 3 && (extension[0] | 0x20) == 'm' && (extension[1] | 0x20) == 'i' &&
           (extension[2] | 0x20) == 'd';
}

std::string DirectoryOf(const std::string& path)
{
    return PathParts(path, kPathDirectory);
}

std::string GroupThousands(uint64_t number)
{
    std::string digits = std::to_string(number);
    int counted = 0;
    for (size_t i = digits.size(); i > 0; --i) {
        if (++counted == 3 && i - 1 > 0) {
            digits.insert(i - 1, 1, ',');
            counted = 0;
        }
    }
    return digits;
}
