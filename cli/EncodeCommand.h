#pragma once
// EncodeCommand: the command-line encoder. It writes, for each file given,
// exactly the text the data view would hold for it (lines ended by CR LF,
// bytes as they are), or with --info the file's SMF facts.
//   exit status 0: all went well; 1: a file could not be read (the others
//   still were) or the output could not be written; 2: bad usage.
#include "cli/InputBytes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class EncodeCommand {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kFileError = 1;
    static constexpr int kUsageError = 2;

    // args excludes the program name; out and err receive the output and
    // the messages (out is replaced by the --output file when given).
    int run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
    // Where the file "-" is read from; standard input unless set.
    void setInput(std::FILE* in) { input_ = in; }

    // "1,3,5-8" or "all" (channels as shown, 1 to 16) to a mask, bit n for
    // channel n+1; false when the list is not valid.
    static bool ParseChannelList(const std::string& list, uint32_t& mask);
    // Hexadecimal digits with an optional 0x: false when not valid.
    static bool ParseMask(const std::string& text, uint32_t& mask);

private:
    struct Options {
        bool haveChannels = false;
        bool haveMask = false;
        uint32_t channelButtons = 0;
        uint32_t encodeChannel = 0;
        std::string format1, format2;
        bool complete = false;  // --complete: all tracks, running status, note-offs
        bool normalize = false; // --normalize: lengths at 480 ticks per quarter
        bool quiet = false;     // --quiet: no warnings (complete reading, division)
        bool info = false;
        bool help = false;
        bool version = false;
        bool json = false;
        std::string output;
        std::string outputDir;
        std::string suffix = "inc";
        bool haveSuffix = false;
        unsigned threads = 0;  // --threads; 0: one a processor
        std::vector<std::string> files;
    };

    int parse(const std::vector<std::string>& args, Options& options, std::string& problem);
    static int checkCombination(const Options& options, std::string& problem);
    int encodeFile(const std::string& path, const Options& options, std::FILE* out, std::FILE* err);
    int encodeIntoDirectory(const Options& options, std::FILE* err);
    int infoFile(const std::string& path, bool json, std::FILE* out, std::FILE* err);
    // Opens one input, a file or "-"; reports a failure on err.
    template <class Smf>
    bool openInput(InputFile<Smf>& file, const std::string& path, std::FILE* err);

    std::FILE* input_ = stdin;
    InputBytes inputBytes_;
};

extern const char kEncodeUsage[];
