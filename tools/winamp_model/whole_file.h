#pragma once
// A file written in one piece, replacing what was there: the player's playlist files, and the
// files the tests set up beside it.
#include <string>

namespace sim {

// False when the file cannot be written whole.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

}  // namespace sim
