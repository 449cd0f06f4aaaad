#pragma once
// ListCallCosts: the cost per item of each call the file list can make for a
// row (shell calls, the file system, reading a MIDI file, list inserts with
// and without drawing), timed on one folder and printed.
#include <cstddef>
#include <string>

// A monotonic clock in seconds, for every timing of the benchmark.
double BenchNow();

// Times every call on the items of `folder` and prints ms per item; the
// list inserts are timed on `insertRows` rows (none for 0).
void PrintCallCosts(const std::string& folder, size_t insertRows);
