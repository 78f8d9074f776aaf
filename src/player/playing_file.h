#pragma once
// The lookup of the playing file's path, over the player routines it needs. The Windows shell
// answers these with the real player window, registry and files; tests answer them with fakes.
#include <string>

#include "player/playlist_path.h"

namespace sq {

// The file at the player's current playlist position.
struct PlayingFile {
    // In the system's code page, as the exclusion test compares it; characters the code page lacks
    // are written as the system writes them (a look-alike, or "?"). Empty when no playing file is
    // known.
    std::string path;
    // The same path in UTF-8 whenever the player gave it in a form that holds every character (the
    // wide answer of its own process, or its UTF-8 playlist), else empty: the file is opened by it.
    std::string utf8_path;
};

// A folder in the two forms the two playlist files need, each ending in a backslash; both empty
// when unknown.
struct PlaylistFolder {
    std::string code_page;
    std::string utf8;
    bool empty() const { return code_page.empty() && utf8.empty(); }
};

class PlayerLink {
public:
    virtual ~PlayerLink() = default;
    // Request 120 to the window the latest FindWinAmp found: the current position, -1 on
    // failure, 0 when nothing answered.
    virtual long WritePlaylist() = 0;
    // The player's program path, or the empty string.
    virtual std::string GetWinAmpPath() = 0;
    // 1 when the player window was found (and is now the target of WritePlaylist), else 0.
    virtual long FindWinAmp() = 0;
    // The path of the playlist entry at `position` (hidden entries counted), as the player answers
    // in its own process: as wide text (request 214, given here in UTF-8) or in the code page
    // (211). Empty when the window found belongs to another process or the player does not answer.
    virtual std::string AskEntryUtf8(long position) = 0;
    virtual std::string AskEntryCodePage(long position) = 0;
    // The folder the player writes its playlist files into, as it answers in its own process;
    // empty when the window found belongs to another process or the player does not answer.
    virtual PlaylistFolder AskPlaylistFolder() = 0;
    // A folder known in the code page only (from the registry), in both forms.
    virtual PlaylistFolder FolderFromCodePage(const std::string& folder) = 0;
    // The path line of the entry at `position` of the playlist file `file_name` in `folder`, or
    // the empty string (see ReadPlaylistEntry).
    virtual std::string ReadEntry(const PlaylistFolder& folder, const char* file_name, long position) = 0;
    // True when the UTF-8 playlist in `folder` exists and was written no earlier than the code-page
    // one: the player writes both on request 120, so an older one is left from another player.
    virtual bool Utf8PlaylistIsCurrent(const PlaylistFolder& folder) = 0;
    // UTF-8 text as the system writes it in the code page: a look-alike or "?" for what it lacks.
    virtual std::string CodePageFromUtf8(const std::string& text) = 0;
    // The code page's lead-byte test, for stepping through its paths; nullptr for a code page of
    // single bytes.
    virtual LeadByteTest LeadBytes() { return nullptr; }
};

// The file at the player's current playlist position. The first request goes to the window the
// previous lookup found, so after the player restarts (or on the first lookup) it is not
// answered; the second, sent after FindWinAmp, gives the position. The player of this process is
// then asked for that entry itself, which counts the entries its playlist files leave out.
// Otherwise the files it has just rewritten are read, in the folder it names, else in its program
// folder.
PlayingFile LookUpPlayingFile(PlayerLink& player);

}  // namespace sq
