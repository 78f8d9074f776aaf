#pragma once
// The requests the player's main window answers, as the player publishes them: WM_USER with the
// request's number in lParam and its argument in wParam. The plug-in and the test players both
// name them from here. Every version answers 1 to a request it does not implement, so a 1 is
// never taken as a text: a pointer answer below kLowestTextAddress is no answer at all.
#include <cstddef>
#include <cstdint>

namespace sq::winamp {

enum Request : long {
    kVersion = 0,                // 0x20yx for 2.yx, 0x50yx for 5.yx
    kPlayState = 104,            // kPlaying, kPaused, or 0 stopped
    kPlayPosition = 105,         // wParam 0: milliseconds into the playing song, -1 when not playing
    kWritePlaylist = 120,        // writes the playlist files when the list changed; the position, -1 when empty
    kPlaylistPosition = 125,     // 2.05 on: the position, writing nothing
    kEntryPath = 211,            // char* to the path of the entry at wParam
    kWideEntryPath = 214,        // wchar_t* to the same (5.x)
    kMetadata = 290,             // 2.9 on: fills an ExtendedFileInfo
    kIsPlayingVideo = 501,       // kVideoOpen while an input plug-in has the video output open, else 0
    kSettingsFolder = 335,       // char* (5.x)
    kPlaylistFolder = 337,       // char* to the folder of the playlist files (5.11 on)
    kWidePlaylistFolder = 338,   // wchar_t* to the same (5.3 on)
    kOutputPlugin = 625,         // 5.0 on: char* to the output plug-in's file name ("out_ds.dll")
    kWideMetadata = 3026,        // 5.13 on: fills a WideExtendedFileInfo
    kWidePlayingFile = 3031,     // wchar_t* to the file playing now (5.x)
    kWidePlayingTitle = 3034,    // 5.5 on: wchar_t* to the title as shown, without number, suffix or scroll
};

// The answer to kPlayState.
inline constexpr long kPlaying = 1;
inline constexpr long kPaused = 3;
// The answer to kIsPlayingVideo while a film plays.
inline constexpr long kVideoOpen = 2;

// The first version that answers kPlaylistPosition; before it the same number answers 1.
inline constexpr long kFirstVersionWithPosition = 0x2005;
// The first version that answers kMetadata: before it no field of a file or stream is known.
inline constexpr long kFirstVersionWithMetadata = 0x2090;
// The first version that answers kWideMetadata; before it the same number answers 1.
inline constexpr long kFirstVersionWithWideMetadata = 0x5013;
// kOutputPlugin's answer while the player converts files instead of playing them aloud.
inline constexpr char kDiskWriter[] = "out_disk.dll";

// No process maps the lowest 64 kB: an answer below this is a number, never an address.
inline constexpr std::uintptr_t kLowestTextAddress = 0x10000;
// The player's buffers for the texts it answers hold this many characters (MAX_PATH * 4).
inline constexpr std::size_t kTextBufferCharacters = 1040;

// wParam of kMetadata: the player writes the field into `ret` and answers 1. A version without
// the request answers 1 as well and leaves `ret` as it was.
struct ExtendedFileInfo {
    const char* filename;
    const char* metadata;  // "artist", "title", "album"; "streamtitle" for a stream
    char* ret;
    std::size_t retlen;
};
struct WideExtendedFileInfo {
    const wchar_t* filename;
    const wchar_t* metadata;
    wchar_t* ret;
    std::size_t retlen;
};

}  // namespace sq::winamp
