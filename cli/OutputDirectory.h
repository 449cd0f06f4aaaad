#pragma once
// OutputDirectory: one output file per input in a folder, named after the
// input with another extension. Each file is written under a temporary name
// in the folder and renamed to its own name only when it is complete, so an
// interrupted run never leaves a part of a file under the final name.
#include <cstdio>
#include <set>
#include <string>

class OutputDirectory {
public:
    // `suffix` without or with its leading dot ("inc" or ".inc").
    OutputDirectory(std::string directory, const std::string& suffix);
    ~OutputDirectory();
    OutputDirectory(const OutputDirectory&) = delete;
    OutputDirectory& operator=(const OutputDirectory&) = delete;

    // The name of the output of `input`: its last path part, without its
    // extension, with the suffix.
    static std::string OutputName(const std::string& input, const std::string& suffix);

    // False, with a message, when the folder is not there.
    bool check(std::string& problem) const;

    // Opens the temporary file for `input`; null, with a message, when it
    // cannot be, when its name would replace the input itself or when an
    // earlier input of this run already took the name.
    std::FILE* begin(const std::string& input, std::string& problem);
    // Closes the file and gives it its name; false, with a message (and the
    // temporary file removed), when it could not be written whole.
    bool commit(std::string& problem);
    // Closes and removes the temporary file.
    void abandon();

    const std::string& target() const { return target_; }

private:
    std::string directory_;
    std::string suffix_;
    std::set<std::string> taken_;  // names written in this run
    std::FILE* file_ = nullptr;
    std::string temporary_;
    std::string name_;    // of the file begun last
    std::string target_;  // its path
};
