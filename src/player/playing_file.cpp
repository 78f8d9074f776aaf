#include "player/playing_file.h"

#include "common/path_text.h"
#include "player/player_folder.h"
#include "player/playlist_file.h"

namespace sq {
namespace {

PlaylistFolder FolderThePlayerNames(PlayerPort& player, const CodePage& code_page) {
    const std::string wide = player.AskWideText(winamp::kWidePlaylistFolder);
    if (!wide.empty()) {
        const std::string utf8 = WithTrailingBackslash(wide);
        return {code_page.FromUtf8(utf8), utf8};
    }
    const std::string narrow = player.AskCodePageText(winamp::kPlaylistFolder);
    if (!narrow.empty()) {
        const std::string folder = WithTrailingBackslash(narrow, code_page.LeadBytes());
        return {folder, code_page.ToUtf8(folder)};
    }
    return {};
}

PlaylistFolder ProgramFolder(PlayerPort& player, const CodePage& code_page) {
    const std::string program = ProgramPathFromPlayCommand(player.PlayCommand());
    const std::string folder = FolderOfProgramPath(program, code_page.LeadBytes());
    if (folder.empty()) return {};
    return {folder, code_page.ToUtf8(folder)};
}

}  // namespace

PlayingFile PlayingFileFromUtf8(const CodePage& code_page, std::string utf8_path) {
    PlayingFile found;
    found.path = code_page.FromUtf8(utf8_path);
    found.utf8_path = std::move(utf8_path);
    return found;
}

PlayingFile PlaylistFilesEntry(PlayerPort& player, const CodePage& code_page, long position) {
    PlaylistFolder folder = FolderThePlayerNames(player, code_page);
    if (folder.empty()) folder = ProgramFolder(player, code_page);
    if (folder.empty()) return {};
    if (player.Utf8PlaylistIsCurrent(folder)) {
        const std::string utf8_line = player.ReadPlaylistEntry(folder, kUtf8PlaylistFileName, position);
        if (!utf8_line.empty()) return PlayingFileFromUtf8(code_page, ResolvePlaylistPath(folder.utf8, utf8_line));
    }
    const std::string line = player.ReadPlaylistEntry(folder, kPlaylistFileName, position);
    return PlayingFile{ResolvePlaylistPath(folder.code_page, line, code_page.LeadBytes()), {}};
}

}  // namespace sq
