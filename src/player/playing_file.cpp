#include "player/playing_file.h"

#include "player/player_folder.h"
#include "player/playlist_file.h"

namespace sq {

PlayingFile LookUpPlayingFile(PlayerLink& player) {
    if (player.WritePlaylist() == -1) return {};
    const std::string program = player.GetWinAmpPath();
    if (player.FindWinAmp() == 0) return {};
    const long position = player.WritePlaylist();
    if (position == -1) return {};

    PlaylistFolder folder = player.AskPlaylistFolder();
    if (folder.empty()) {
        if (program.empty()) return {};
        folder = player.FolderFromCodePage(FolderOfProgramPath(program));
    }
    const std::string line = player.ReadEntry(folder, kPlaylistFileName, position);
    PlayingFile found;
    found.path = ResolvePlaylistPath(folder.code_page, line, player.LeadBytes());
    // No file name holds "?": the code page lost characters there, and the UTF-8 playlist holds
    // them. Its entry counts only when it is the same one, as the code page writes it.
    if (found.path.find('?') == std::string::npos) return found;
    const std::string utf8_line = player.ReadEntry(folder, kUtf8PlaylistFileName, position);
    if (utf8_line.empty() || player.CodePageFromUtf8(utf8_line) != line) return found;
    std::string utf8_path = ResolvePlaylistPath(folder.utf8, utf8_line);
    if (utf8_path != found.path) found.utf8_path = std::move(utf8_path);  // else a real "?", as in an address
    return found;
}

}  // namespace sq
