#pragma once
// The requests the player's main window answers, as the model knows the player: WM_USER with the
// request's number in lParam and its argument in wParam; a version answers 1 to a request it
// lacks. The numbers, answers and records are the player's, written out here and nowhere else in
// the model, so that a plug-in that asks with a wrong number meets a request the model does not
// answer.
#include <cstddef>

namespace sim::winamp {

enum Request : long {
    kVersion = 0,               // 0x2091 on 2.91, 0x5092 on 5.9.2
    kPlayState = 104,           // kPlaying, kPaused or kStopped
    kPlayPosition = 105,        // wParam 0: milliseconds into what plays, -1 when stopped
    kWritePlaylist = 120,       // writes the playlist files, then answers the position (-1 when empty)
    kPlaylistPosition = 125,    // the position, writing nothing
    kEntryPath = 211,           // char*: the path of the entry at wParam
    kWideEntryPath = 214,       // wchar_t*: the same
    kMetadata = 290,            // fills an ExtendedFileInfo, in the code page
    kSettingsFolder = 335,      // char*
    kPlaylistFolder = 337,      // char*: where the playlist files go
    kWidePlaylistFolder = 338,  // wchar_t*: the same
    kIsPlayingVideo = 501,      // kVideoOpen while a film plays or is paused, else 0
    kOutputPlugin = 625,        // char*: the output plug-in's file name
    kWideMetadata = 3026,       // fills a WideExtendedFileInfo
    kWidePlayingFile = 3031,    // wchar_t*: the file or address playing now
    kWidePlayingTitle = 3034,   // wchar_t*: the title the caption is built from
};

// The answers of kPlayState.
inline constexpr long kStopped = 0;
inline constexpr long kPlaying = 1;
inline constexpr long kPaused = 3;
// kIsPlayingVideo's answer while an input plug-in has the video window open.
inline constexpr long kVideoOpen = 2;

// Each text the player answers lies in a buffer of its own of this many characters.
inline constexpr std::size_t kTextBufferCharacters = 1040;

// What kMetadata's wParam points to: the player writes the field of the file into `ret` (at most
// `retlen` characters with the terminating zero) and answers 1, or answers 0 when it knows none.
struct ExtendedFileInfo {
    const char* filename;
    const char* metadata;  // "artist", "title", "album", "streamtitle", "streamtype" ...
    char* ret;
    std::size_t retlen;
};
// kWideMetadata's record, the same in wide text.
struct WideExtendedFileInfo {
    const wchar_t* filename;
    const wchar_t* metadata;
    wchar_t* ret;
    std::size_t retlen;
};

}  // namespace sim::winamp
