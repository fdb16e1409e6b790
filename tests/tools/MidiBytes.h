#pragma once
// Standard MIDI files built byte by byte, for tests.

#include <cstdint>
#include <string>
#include <vector>

// A header chunk: format, track count, division.
std::vector<uint8_t> MidiHeader(int format, int tracks, int division);
// A track chunk around events (delta times included); an end-of-track event is added.
std::vector<uint8_t> MidiTrack(const std::vector<uint8_t>& events);
// A tempo change event after delta ticks.
std::vector<uint8_t> MidiTempo(uint32_t delta, uint32_t microsecondsPerQuarter);
// Joins parts.
std::vector<uint8_t> Joined(const std::vector<std::vector<uint8_t>>& parts);
// Writes bytes to path; false on failure.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// A two-track file at 480 ticks a quarter: 120 bpm, then 240 bpm from tick 960; notes
// (the second through running status) at 0.5, 1.0, 1.125 and 1.25 seconds.
std::vector<uint8_t> TwoTrackMidi();
