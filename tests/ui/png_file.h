#pragma once
// Writes 24-bit screenshots as PNG files (stored, uncompressed deflate blocks: no zlib needed).
#include <cstdint>
#include <string>
#include <vector>

namespace sqtest {

// `rgb` holds width * height pixels, three bytes each, top row first.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace sqtest
