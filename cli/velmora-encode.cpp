// velmora-encode: the encoder of the data view, for scripts and build pipelines.
#include "cli/EncodeCommand.h"

#include <cstdio>
#include <string>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The text carries its own CR LF; the C runtime must not add more.
    // A MIDI file read from standard input is bytes, not text.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    EncodeCommand command;
    return command.run(args, stdout, stderr);
}
