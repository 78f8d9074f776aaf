#include "player/playing_file.h"

#include "player/player_folder.h"
#include "player/playlist_file.h"

namespace sq {
namespace {

PlayingFile FromUtf8(PlayerLink& player, std::string utf8_path) {
    PlayingFile found;
    found.path = player.CodePageFromUtf8(utf8_path);
    found.utf8_path = std::move(utf8_path);
    return found;
}

// The entry as the player names it, wide first: the code-page answer loses what the code page lacks.
PlayingFile EntryThePlayerNames(PlayerLink& player, long position) {
    if (position < 0) return {};
    std::string utf8 = player.AskEntryUtf8(position);
    if (!utf8.empty()) return FromUtf8(player, std::move(utf8));
    return PlayingFile{player.AskEntryCodePage(position), {}};
}

PlayingFile EntryOfThePlaylistFiles(PlayerLink& player, const std::string& program, long position) {
    PlaylistFolder folder = player.AskPlaylistFolder();
    if (folder.empty()) {
        if (program.empty()) return {};
        folder = player.FolderFromCodePage(FolderOfProgramPath(program));
    }
    // The code-page playlist holds look-alikes or "?" for what the code page lacks, and no mark
    // tells which: the UTF-8 playlist, when the player has just written it too, holds the name.
    if (player.Utf8PlaylistIsCurrent(folder)) {
        const std::string utf8_line = player.ReadEntry(folder, kUtf8PlaylistFileName, position);
        if (!utf8_line.empty()) return FromUtf8(player, ResolvePlaylistPath(folder.utf8, utf8_line));
    }
    const std::string line = player.ReadEntry(folder, kPlaylistFileName, position);
    return PlayingFile{ResolvePlaylistPath(folder.code_page, line, player.LeadBytes()), {}};
}

}  // namespace

PlayingFile LookUpPlayingFile(PlayerLink& player) {
    if (player.WritePlaylist() == -1) return {};
    const std::string program = player.GetWinAmpPath();
    if (player.FindWinAmp() == 0) return {};
    const long position = player.WritePlaylist();
    if (position == -1) return {};
    PlayingFile named = EntryThePlayerNames(player, position);
    if (!named.path.empty()) return named;
    return EntryOfThePlaylistFiles(player, program, position);
}

}  // namespace sq
