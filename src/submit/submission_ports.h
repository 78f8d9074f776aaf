#pragma once
// What a submission run needs from the rest of the plug-in, each behind a narrow interface: the
// run decides, these carry it out. The plug-in answers them with the control window's labels,
// the settings store, the report's rule for a song's names, the shell, the message loop, message
// boxes and the debugger trace; tests with fakes. What it needs of the player came with the song.
#include <string>

#include "common/code_page.h"
#include "common/failure_trace.h"
#include "common/played_song.h"

namespace sq {

// The status area of the control window.
class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    virtual void ShowResponse(const std::string& text) = 0;       // lblResponse
    virtual void ShowResponseTime(const std::string& stamp) = 0;  // lblLastTime
    virtual void ShowConnection(const std::string& text) = 0;     // lblConnected
};

class SettingsReader {
public:
    virtual ~SettingsReader() = default;
    // A value never written, or one that cannot be read, is the empty string.
    virtual std::string Read(const char* key) = 0;
};

// The shell, which opens the addresses the service names.
class AddressOpener {
public:
    virtual ~AddressOpener() = default;
    // Has the shell carry out its default action on an address.
    virtual void OpenAddress(const std::string& address) = 0;
};

// Who the song is, as the request names it: its artist and track in the code page. Asked once the
// run has passed the excluded-folder test, so that an excluded file is never read.
class SongIdentity {
public:
    virtual ~SongIdentity() = default;
    virtual ArtistAndTrack Identify(const PlayedSong& song) = 0;
};

// The thread's event loop: the run shares the player's thread and lets its events run.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Handles the events that are waiting now, once.
    virtual void DoEvents() = 0;
    // Sleeps until an event arrives, then handles what is waiting.
    virtual void WaitForEvents() = 0;
    // True once the player has asked its loop to end; a run then stops waiting.
    virtual bool QuitRequested() const = 0;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal box with the text, the OK button only, no icon and the title "Sonoquill".
    virtual void Show(const std::string& text) = 0;
};

}  // namespace sq
