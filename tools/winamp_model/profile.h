#pragma once
// The players the model behaves as, in one table: Winamp 2.91 and Winamp 5.9.2. A profile says
// what the version request answers, which requests the version implements (every other one
// answers 1), how its caption reads, where and how it writes its playlist files, and how it
// hosts its general-purpose plug-ins.
#include <vector>

#include "requests.h"

namespace sim {

enum class PlaylistFiles {
    // WINAMP.m3u beside the program, in the code page, an information line before every entry,
    // written on every request 120.
    kBesideProgram,
    // Winamp.m3u (code page) and Winamp.m3u8 (UTF-8) in the per-user playlist folder, information
    // lines only for entries whose details the player has read, rewritten only when changed.
    kUserFolder,
};

enum class PluginThread {
    kFirstThread,   // 2.x: the main window and the plug-ins on the first thread, which joins no apartment
    kSecondThread,  // 5.9: on a second thread in a single-threaded apartment; the first joins the multithreaded one
};

struct Profile {
    int major;  // as --profile names it
    long version;
    const wchar_t* name;  // the caption while no song has played
    const char* log_name;
    std::vector<winamp::Request> requests;  // those it implements
    bool unicode_caption;   // a Unicode main window; 2.x keeps its caption in the code page
    bool state_in_caption;  // " [Paused]", " [Stopped]" after the title
    PlaylistFiles files;
    PluginThread plugin_thread;
    // Plug-ins are told to quit once the main loop has ended and the window is gone, the last
    // loaded first, and are never freed; 2.x tells them from the window's close and frees them.
    bool quits_after_loop;
    // Its preferences remove a plug-in through winampUninstallPlugin.
    bool removes_plugins;

    bool Implements(long request) const;
};

const Profile& Winamp2();
const Profile& Winamp5();
// The profile --profile names (2 or 5); nullptr for any other number.
const Profile* ProfileOf(int major);

}  // namespace sim
