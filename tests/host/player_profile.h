#pragma once

namespace sqtest {

// Which player a stand-in behaves as: Winamp 2.9x (WINAMP.m3u beside the program, an ANSI title)
// or Winamp 5.x (playlist files in a per-user folder it names in-process, a Unicode title).
enum class PlayerProfile { kWinamp2, kWinamp5 };

}  // namespace sqtest
