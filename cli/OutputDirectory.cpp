#include "cli/OutputDirectory.h"

#include "core/errors/SystemErrorText.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool IsSeparator(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\' || c == ':';
#else
    return c == '/';
#endif
}

std::string Join(const std::string& directory, const std::string& name)
{
    if (directory.empty()) return name;
    return IsSeparator(directory.back()) ? directory + name : directory + "/" + name;
}

// Paths stay narrow strings in the code page (Windows) or as given (POSIX):
// no conversion that could change a Shift-JIS name.
bool IsDirectory(const std::string& path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

// True when both paths name one existing file.
bool SameFile(const std::string& a, const std::string& b)
{
#ifdef _WIN32
    char fullA[MAX_PATH], fullB[MAX_PATH];
    if (!GetFullPathNameA(a.c_str(), MAX_PATH, fullA, nullptr) ||
        !GetFullPathNameA(b.c_str(), MAX_PATH, fullB, nullptr))
        return false;
    return GetFileAttributesA(fullB) != INVALID_FILE_ATTRIBUTES && lstrcmpiA(fullA, fullB) == 0;
#else
    struct stat sa, sb;
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
#endif
}

// Creates a new file of a name not used yet, from `base` and a counter.
std::FILE* CreateUnique(const std::string& base, std::string& path)
{
#ifdef _WIN32
    const unsigned pid = GetCurrentProcessId();
#else
    const unsigned pid = static_cast<unsigned>(getpid());
#endif
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        path = base + "." + std::to_string(pid) + "-" + std::to_string(attempt) + ".tmp";
#ifdef _WIN32
        const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
        if (fd >= 0) {
#ifdef _WIN32
            std::FILE* f = _fdopen(fd, "wb");
            if (!f) _close(fd);
#else
            std::FILE* f = fdopen(fd, "wb");
            if (!f) close(fd);
#endif
            return f;
        }
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

// Renames `from` to `to`, replacing a file of that name in one step; on
// failure `reason` is the system's text.
bool ReplaceFile(const std::string& from, const std::string& to, std::string& reason)
{
#ifdef _WIN32
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    char text[256];
    SystemErrorText(text, sizeof text);
    reason = text;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    return false;
#else
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    reason = std::strerror(errno);
    return false;
#endif
}

}  // namespace

OutputDirectory::OutputDirectory(std::string directory, const std::string& suffix)
    : directory_(std::move(directory)), suffix_(suffix)
{
}

OutputDirectory::~OutputDirectory()
{
    abandon();
}

std::string OutputDirectory::OutputName(const std::string& input, const std::string& suffix)
{
    size_t start = input.size();
    while (start > 0 && !IsSeparator(input[start - 1])) --start;
    std::string name = input.substr(start);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    if (!suffix.empty()) name += suffix[0] == '.' ? suffix : "." + suffix;
    return name;
}

bool OutputDirectory::check(std::string& problem) const
{
    if (IsDirectory(directory_)) return true;
    problem = "not a folder: " + directory_;
    return false;
}

std::FILE* OutputDirectory::begin(const std::string& input, std::string& problem)
{
    abandon();
    const std::string name = OutputName(input, suffix_);
    name_ = name;
    target_ = Join(directory_, name);
    if (name.empty() || name == "." || name == "..") {
        problem = "no output name for " + input;
        return nullptr;
    }
    if (taken_.count(name)) {
        problem = target_ + " was already written for another input; not replaced";
        return nullptr;
    }
    if (SameFile(input, target_)) {
        problem = target_ + " is the input itself; not replaced";
        return nullptr;
    }
    file_ = CreateUnique(Join(directory_, "." + name), temporary_);
    if (!file_) {
        problem = "cannot write into " + directory_ + ": " + std::strerror(errno);
        temporary_.clear();
    }
    return file_;
}

bool OutputDirectory::commit(std::string& problem)
{
    if (!file_) return false;
    const bool written = std::fflush(file_) == 0 && !std::ferror(file_);
    const int savedErrno = errno;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed) {
        problem = "cannot write " + target_ + ": " + std::strerror(written ? errno : savedErrno);
        std::remove(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    std::string reason;
    if (!ReplaceFile(temporary_, target_, reason)) {
        problem = "cannot write " + target_ + ": " + reason;
        std::remove(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    temporary_.clear();
    taken_.insert(name_);
    return true;
}

void OutputDirectory::abandon()
{
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    temporary_.clear();
}
