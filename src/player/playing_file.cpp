#include "player/playing_file.h"

#include "player/player_folder.h"
#include "player/playlist_file.h"

namespace sq {

std::string PlayerLink::ReadPathLine(const std::string& file_path, long position) {
    return ReadPlaylistPathLine(file_path, position);
}

std::string LookUpPlayingFile(PlayerLink& player) {
    if (player.WritePlaylist() == -1) return {};
    const std::string program = player.GetWinAmpPath();
    if (program.empty()) return {};
    const std::string folder = FolderOfProgramPath(program);
    if (player.FindWinAmp() == 0) return {};
    const long position = player.WritePlaylist();
    if (position == -1) return {};
    return player.ReadPathLine(folder + kPlaylistFileName, position);
}

}  // namespace sq
