#pragma once
// BenchMidi: the generated Standard MIDI Files of the benchmarks and of the
// speed comparison. A format 0 file, 480 ticks per quarter, whose one track
// holds `notes` notes spread over the 16 channels: lengths both from the
// encoder's table of note values and off it, gaps that become rests, notes
// that overlap on their channel, each note ended by a note-on with velocity
// 0; and, between them, program and controller changes, system-exclusive
// messages and meta events (tempo, texts, markers). The same count and seed
// always give the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> MakeBenchMidi(size_t notes, uint32_t seed = 1);
// Writes that file to `path`; false when it could not be written whole.
bool WriteBenchMidi(const std::string& path, size_t notes, uint32_t seed = 1);
