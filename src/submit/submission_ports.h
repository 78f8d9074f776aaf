#pragma once
// What a submission run needs from the rest of the plug-in, each behind a narrow interface: the
// run decides, these carry it out. The plug-in answers them with the control window's labels,
// the settings store, clsMP3, the shell, the message loop, message boxes and the debugger trace;
// tests with fakes. What it needs of the player came with the song, or comes through its tag port.
#include <string>

#include "common/code_page.h"
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

struct SongTags {
    std::string track;   // clsMP3's Songname
    std::string artist;  // clsMP3's Artist
};

class TagSource {
public:
    virtual ~TagSource() = default;
    // Reads the file with a new clsMP3. A failed read is not reported: the result then holds what
    // the reader had set before the failure (normally nothing).
    virtual SongTags Read(const PlayingFile& file) = 0;
};

// What the player itself knows of a file: the artist and title it read of a FLAC, an M4A or an
// MP3 tagged only with ID3v2.4, which clsMP3 does not read.
class PlayerTagSource {
public:
    virtual ~PlayerTagSource() = default;
    // Both, or both empty.
    virtual PlayerTags Read(const PlayingFile& file) = 0;
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

// Where the run tells of a failure it caught and went on from: in the plug-in one line in the
// debugger's output, naming what was caught; the user sees nothing.
class FailureTrace {
public:
    virtual ~FailureTrace() = default;
    // Only inside a catch block.
    virtual void Trace(const wchar_t* what) noexcept = 0;
};

}  // namespace sq
