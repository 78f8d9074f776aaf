// The playlist files as the last resort: where they are, which of the two is read, and how a line
// becomes the playing file.
#include "player/playing_file.h"

#include <gtest/gtest.h>

#include <string>

#include "common/fake_code_page.h"
#include "player/fake_player_port.h"

namespace {

using sqtest::FakePlayerPort;
const sqtest::FakeCodePage kCodePage;

TEST(PlaylistFilesEntry, FolderComesFromTheProgramPathOrNowhere) {
    struct FolderCase {
        const char* play_command;
        const char* playlist;  // empty: nothing is read
    };
    const FolderCase cases[] = {
        {"\"C:\\Program Files\\Winamp\\winamp.exe\" \"%1\"", "C:\\Program Files\\Winamp\\WINAMP.m3u@4"},
        {"\"C:\\winamp.exe\" \"%1\"", "C:\\WINAMP.m3u@4"},
        {"\"winamp.exe\" \"%1\"", "wWINAMP.m3u@4"},
        {"\":\\Winamp\\winamp.\" \"%1\"", ":\\Winamp\\WINAMP.m3u@4"},
        {"", ""},
    };
    for (const FolderCase& c : cases) {
        FakePlayerPort player;
        player.play_command = c.play_command;
        player.playlist_lines[c.playlist] = "C:\\Music\\a.mp3";
        const sq::PlayingFile found = sq::PlaylistFilesEntry(player, kCodePage, 4);
        EXPECT_EQ(found.path, *c.playlist ? "C:\\Music\\a.mp3" : "") << c.play_command;
        EXPECT_EQ(player.log.back(), *c.playlist ? std::string("read ") + c.playlist : "play command") << c.play_command;
    }
}

TEST(PlaylistFilesEntry, FolderThePlayerNamesComesFirstWideBeforeCodePage) {
    const std::string folder = "C:\\Users\\me\\AppData\\Roaming\\Winamp";
    for (const long request : {sq::winamp::kWidePlaylistFolder, sq::winamp::kPlaylistFolder}) {
        FakePlayerPort player;
        player.play_command.clear();
        player.texts[{request, 0}] = folder;
        player.playlist_lines = {{folder + "\\WINAMP.m3u@1", "..\\..\\..\\..\\Music\\b.mp3"},
                                 {"C:\\Program Files\\Winamp\\WINAMP.m3u@1", "C:\\Old\\stale.mp3"}};
        EXPECT_EQ(sq::PlaylistFilesEntry(player, kCodePage, 1).path, "C:\\Users\\Music\\b.mp3") << "relative to the playlist folder";
    }
}

TEST(PlaylistFilesEntry, Utf8PlaylistIsReadWheneverThePlayerHasJustWrittenIt) {
    // Neither a look-alike (Ł as L) nor "?" tells that the code page lost a character: a current
    // UTF-8 playlist is taken for every name; an older one is left from another player.
    const std::string utf8_folder = "C:\\Users\\J\xc3\xb8rn\\Winamp\\";
    const std::string lodz = "\\Music\\\xc5\x81\xc3\xb3" "d\xc5\xba.mp3";  // \Music\Łódź.mp3
    struct Utf8Case {
        const char* name;
        bool current;
        std::string utf8_line;  // empty: no such entry in Winamp.m3u8
        std::string code_page_line;
        sq::PlayingFile expected;
    };
    const Utf8Case cases[] = {
        {"look-alike name", true, lodz, "\\Music\\Lodz.mp3", {"C:\\Music\\L\xf3" "d?.mp3", "C:" + lodz}},
        {"relative name, current UTF-8 playlist: the UTF-8 folder", true, "a.mp3", "a.mp3",
         {"C:\\Users\\J\xf8rn\\Winamp\\a.mp3", utf8_folder + "a.mp3"}},
        {"older UTF-8 playlist", false, lodz, "\\Music\\Lodz.mp3", {"C:\\Music\\Lodz.mp3", ""}},
        {"UTF-8 playlist without the entry", true, "", "\\Music\\Lodz.mp3", {"C:\\Music\\Lodz.mp3", ""}},
        {"relative line, older UTF-8 playlist: the code-page folder", false, "a.mp3", "a.mp3",
         {"C:\\Users\\J\xf8rn\\Winamp\\a.mp3", ""}},
    };
    for (const Utf8Case& c : cases) {
        FakePlayerPort player;
        player.texts[{sq::winamp::kPlaylistFolder, 0}] = "C:\\Users\\J\xf8rn\\Winamp";  // Jørn in Latin-1
        player.utf8_playlist_current = c.current;
        player.playlist_lines = {{"C:\\Users\\J\xf8rn\\Winamp\\WINAMP.m3u@0", c.code_page_line}};
        if (!c.utf8_line.empty()) player.playlist_lines[utf8_folder + "Winamp.m3u8@0"] = c.utf8_line;
        const sq::PlayingFile found = sq::PlaylistFilesEntry(player, kCodePage, 0);
        EXPECT_EQ(found.path, c.expected.path) << c.name;
        EXPECT_EQ(found.utf8_path, c.expected.utf8_path) << c.name;
    }
}

}  // namespace
