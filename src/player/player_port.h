#pragma once
// How the plug-in reaches the player: its main window, the requests that window answers, its
// caption, and what the player leaves outside the window (its registered command, its playlist
// files). WinAmpMod asks through this port and decides everything; the Windows side answers with
// the real window (player/win32_player_window.h), native tests with a fake.
//
// Text: the player's wide texts (its caption, the answers of its wide requests) are carried as
// UTF-8, which holds every character; its 8-bit texts are in the system's code page, which the
// plug-in converts with common/code_page.h.
#include <optional>
#include <string>

#include "player/playlist_path.h"
#include "player/winamp_requests.h"

namespace sq {

// A folder in the two forms the two playlist files need, each ending in a backslash; both empty
// when unknown.
struct PlaylistFolder {
    std::string code_page;
    std::string utf8;
    bool empty() const { return code_page.empty() && utf8.empty(); }
};

class PlayerPort {
public:
    virtual ~PlayerPort() = default;

    // Looks the player's window up afresh: the window the host handed over while it exists, else
    // the window of class "Winamp v1.x" of this process, else the first the system finds. Every
    // request below goes to the window this found; false when there is none.
    virtual bool FindWindow() = 0;

    // A request answered with a number; nothing when it was not delivered (no window, a window
    // gone or hung).
    virtual std::optional<long> Ask(winamp::Request request, long argument = 0) = 0;
    // A request answered with a pointer to text in the player's memory, read only from a window
    // of this process and only when the answer is a text (see player/text_answer.h). Empty
    // otherwise.
    virtual std::string AskWideText(winamp::Request request, long argument = 0) = 0;  // UTF-8
    virtual std::string AskCodePageText(winamp::Request request, long argument = 0) = 0;
    // A field of a file's or a stream's metadata: kWideMetadata with the file named in UTF-8, or
    // kMetadata with it named in the code page; the answer in the same form. Nothing when the
    // player answers that it knows no such field (0), or when the request was not delivered. The
    // answer buffer is cleared before the request, so a version without it (which answers 1) gives
    // the empty text. Asked only of a window of this process.
    virtual std::optional<std::string> AskWideMetadata(const std::string& utf8_file, const char* field) = 0;
    virtual std::optional<std::string> AskCodePageMetadata(const std::string& file, const char* field) = 0;
    // The window's caption as wide text, as long as it is; empty without a window.
    virtual std::string Caption() = 0;

    // The registered command for playing a file (WinAmp.File), from which the program folder
    // follows; empty when there is none.
    virtual std::string PlayCommand() = 0;
    // The path line of the entry at `position` of the playlist file `file_name` in `folder`, or
    // the empty string (see ReadPlaylistEntry).
    virtual std::string ReadPlaylistEntry(const PlaylistFolder& folder, const char* file_name, long position) = 0;
    // True when the UTF-8 playlist in `folder` exists and was written no earlier than the code-page
    // one: the player writes both on kWritePlaylist, so an older one is left from another player.
    virtual bool Utf8PlaylistIsCurrent(const PlaylistFolder& folder) = 0;
};

}  // namespace sq
