#include "profile.h"

#include <algorithm>

namespace sim {
namespace {

using namespace winamp;

const Profile kProfiles[] = {
    {2, 0x2091, L"Winamp 2.91", "Winamp 2.91 (2.x)",
     {kVersion, kPlayState, kPlayPosition, kWritePlaylist, kPlaylistPosition, kEntryPath, kMetadata},
     false, false, PlaylistFiles::kBesideProgram, PluginThread::kFirstThread, false, false},
    {5, 0x5092, L"Winamp 5.9.2 Build 10042", "Winamp 5.9.2 (5.x)",
     {kVersion, kPlayState, kPlayPosition, kWritePlaylist, kPlaylistPosition, kEntryPath, kWideEntryPath, kMetadata,
      kSettingsFolder, kPlaylistFolder, kWidePlaylistFolder, kOutputPlugin, kWideMetadata, kWidePlayingFile,
      kWidePlayingTitle, kIsPlayingVideo},
     true, true, PlaylistFiles::kUserFolder, PluginThread::kSecondThread, true, true},
};

}  // namespace

bool Profile::Implements(long request) const {
    return std::find(requests.begin(), requests.end(), request) != requests.end();
}

const Profile& Winamp2() { return kProfiles[0]; }
const Profile& Winamp5() { return kProfiles[1]; }

const Profile* ProfileOf(int major) {
    for (const Profile& profile : kProfiles) {
        if (profile.major == major) return &profile;
    }
    return nullptr;
}

}  // namespace sim
