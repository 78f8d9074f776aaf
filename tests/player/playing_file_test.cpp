#include "player/playing_file.h"
#include "player/playlist_file.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

// A scripted player: answers come from queues and tables, and every call is written to a log.
class ScriptedPlayer final : public sq::PlayerLink {
public:
    std::deque<long> answers;  // WritePlaylist answers, in order (0 when the queue is empty)
    std::string program_path = "C:\\Program Files\\Winamp\\winamp.exe";
    long window_found = 1;
    sq::PlaylistFolder answered_folder;  // what the player names in its own process
    // Entry lines by "folder+file@position"; any other entry is missing.
    std::map<std::string, std::string> entries = {{"C:\\Program Files\\Winamp\\WINAMP.m3u@4", "C:\\Music\\a.mp3"}};
    std::vector<std::string> log;

    long WritePlaylist() override {
        const long answer = answers.empty() ? 0 : answers.front();
        if (!answers.empty()) answers.pop_front();
        log.push_back("WritePlaylist=" + std::to_string(answer));
        return answer;
    }
    std::string GetWinAmpPath() override {
        log.push_back("GetWinAmpPath");
        return program_path;
    }
    long FindWinAmp() override {
        log.push_back("FindWinAmp=" + std::to_string(window_found));
        return window_found;
    }
    sq::PlaylistFolder AskPlaylistFolder() override {
        log.push_back("AskPlaylistFolder");
        return answered_folder;
    }
    // The test's code page is ASCII; its UTF-8 form marks the folder so that a test sees which
    // form was used.
    sq::PlaylistFolder FolderFromCodePage(const std::string& folder) override { return {folder, folder}; }
    std::string ReadEntry(const sq::PlaylistFolder& folder, const char* file_name, long position) override {
        const bool utf8 = std::string(file_name) == sq::kUtf8PlaylistFileName;
        const std::string key = (utf8 ? folder.utf8 : folder.code_page) + file_name + "@" + std::to_string(position);
        log.push_back("Read " + key);
        const auto found = entries.find(key);
        return found == entries.end() ? std::string() : found->second;
    }
    std::string CodePageFromUtf8(const std::string& text) override {
        std::string ascii;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte < 0x80) ascii += text[i];
            else if (byte >= 0xC0) ascii += '?';  // one character, whatever its length
        }
        return ascii;
    }
};

using Log = std::vector<std::string>;

TEST(LookUpPlayingFile, AsksTwiceAndReadsThePlaylistInThePlayersFolder) {
    ScriptedPlayer player;
    player.answers = {4, 4};
    const sq::PlayingFile found = sq::LookUpPlayingFile(player);
    EXPECT_EQ(found.path, "C:\\Music\\a.mp3");
    EXPECT_EQ(found.utf8_path, "");
    EXPECT_EQ(player.log, (Log{"WritePlaylist=4", "GetWinAmpPath", "FindWinAmp=1", "WritePlaylist=4",
                               "AskPlaylistFolder", "Read C:\\Program Files\\Winamp\\WINAMP.m3u@4"}));
}

TEST(LookUpPlayingFile, FirstRequestNotAnsweredStillFindsThePosition) {
    // As after load: the first request goes to no window and gives 0, not -1.
    ScriptedPlayer player;
    player.answers = {0, 4};
    EXPECT_EQ(sq::LookUpPlayingFile(player).path, "C:\\Music\\a.mp3");
}

TEST(LookUpPlayingFile, EachFailureEndsWithNoFileAtItsStep) {
    {
        ScriptedPlayer player;
        player.answers = {-1, 3};
        EXPECT_EQ(sq::LookUpPlayingFile(player).path, "");
        EXPECT_EQ(player.log, (Log{"WritePlaylist=-1"}));
    }
    {
        // The player window closed since the last lookup.
        ScriptedPlayer player;
        player.answers = {0, 2};
        player.window_found = 0;
        EXPECT_EQ(sq::LookUpPlayingFile(player).path, "");
        EXPECT_EQ(player.log, (Log{"WritePlaylist=0", "GetWinAmpPath", "FindWinAmp=0"}));
    }
    {
        ScriptedPlayer player;
        player.answers = {2, -1};
        EXPECT_EQ(sq::LookUpPlayingFile(player).path, "");
        EXPECT_EQ(player.log, (Log{"WritePlaylist=2", "GetWinAmpPath", "FindWinAmp=1", "WritePlaylist=-1"}));
    }
    {
        // No registration and no folder named by the player: nowhere to read.
        ScriptedPlayer player;
        player.answers = {4, 4};
        player.program_path.clear();
        EXPECT_EQ(sq::LookUpPlayingFile(player).path, "");
        EXPECT_EQ(player.log.back(), "AskPlaylistFolder");
    }
    {
        // The file lacks the entry at that position.
        ScriptedPlayer player;
        player.answers = {5, 5};
        EXPECT_EQ(sq::LookUpPlayingFile(player).path, "");
    }
}

TEST(LookUpPlayingFile, FolderComesFromTheProgramPath) {
    struct FolderCase {
        const char* program_path;
        const char* playlist;
    };
    const FolderCase cases[] = {
        {"C:\\winamp.exe", "C:\\WINAMP.m3u"},
        {"winamp.exe", "wWINAMP.m3u"},
        {":\\Winamp\\winamp.", ":\\Winamp\\WINAMP.m3u"},
    };
    for (const FolderCase& c : cases) {
        ScriptedPlayer player;
        player.answers = {1, 1};
        player.program_path = c.program_path;
        sq::LookUpPlayingFile(player);
        EXPECT_EQ(player.log.back(), std::string("Read ") + c.playlist + "@1") << c.program_path;
    }
}

TEST(LookUpPlayingFile, FolderThePlayerNamesComesFirstAndNeedsNoRegistration) {
    ScriptedPlayer player;
    player.answers = {0, 1};
    player.program_path.clear();
    player.answered_folder = {"C:\\Users\\me\\AppData\\Roaming\\Winamp\\", "C:\\Users\\me\\AppData\\Roaming\\Winamp\\"};
    player.entries = {{"C:\\Users\\me\\AppData\\Roaming\\Winamp\\WINAMP.m3u@1", "..\\..\\..\\..\\Music\\b.mp3"},
                      {"C:\\Program Files\\Winamp\\WINAMP.m3u@1", "C:\\Old\\stale.mp3"}};
    EXPECT_EQ(sq::LookUpPlayingFile(player).path, "C:\\Users\\Music\\b.mp3") << "relative to the playlist folder";
}

TEST(LookUpPlayingFile, PathOutsideTheCodePageComesFromTheUtf8Playlist) {
    const std::string utf8_folder = "C:\\Users\\J\xc3\xb8rn\\Winamp\\";
    ScriptedPlayer player;
    player.answers = {0, 0};
    player.answered_folder = {"C:\\Users\\J?rn\\Winamp\\", utf8_folder};
    const std::string music = "\\M\xc3\xbasica\\\xe6\x97\xa5\xe6\x9c\xac.mp3";  // \Música\日本.mp3
    player.entries = {{"C:\\Users\\J?rn\\Winamp\\WINAMP.m3u@0", "\\M?sica\\??.mp3"},
                      {utf8_folder + "Winamp.m3u8@0", music}};
    sq::PlayingFile found = sq::LookUpPlayingFile(player);
    EXPECT_EQ(found.path, "C:\\M?sica\\??.mp3") << "the code page's form is what the exclusion compares";
    EXPECT_EQ(found.utf8_path, "C:" + music);

    // A relative line on a folder the code page cannot hold: the line is plain, the folder not.
    player.answers = {0, 0};
    player.entries = {{"C:\\Users\\J?rn\\Winamp\\WINAMP.m3u@0", "a.mp3"}, {utf8_folder + "Winamp.m3u8@0", "a.mp3"}};
    found = sq::LookUpPlayingFile(player);
    EXPECT_EQ(found.path, "C:\\Users\\J?rn\\Winamp\\a.mp3");
    EXPECT_EQ(found.utf8_path, utf8_folder + "a.mp3");
}

TEST(LookUpPlayingFile, Utf8PlaylistThatNamesAnotherEntryIsNotUsed) {
    struct Utf8Case {
        const char* name;
        std::string code_page_line;
        std::string utf8_line;  // empty: no such entry in Winamp.m3u8
        std::string utf8_path;
    };
    const Utf8Case cases[] = {
        {"same entry", "C:\\??.mp3", "C:\\\xe6\x97\xa5\xe6\x9c\xac.mp3", "C:\\\xe6\x97\xa5\xe6\x9c\xac.mp3"},
        {"another entry (an old file)", "C:\\??.mp3", "C:\\Other.mp3", ""},
        {"no UTF-8 playlist", "C:\\??.mp3", "", ""},
        {"a real question mark in an address", "http://x/?a=1", "http://x/?a=1", ""},
        {"code page holds it: not asked", "C:\\plain.mp3", "C:\\\xe6\x97\xa5.mp3", ""},
    };
    for (const Utf8Case& c : cases) {
        ScriptedPlayer player;
        player.answers = {4, 4};
        player.entries = {{"C:\\Program Files\\Winamp\\WINAMP.m3u@4", c.code_page_line}};
        if (!c.utf8_line.empty()) player.entries["C:\\Program Files\\Winamp\\Winamp.m3u8@4"] = c.utf8_line;
        const sq::PlayingFile found = sq::LookUpPlayingFile(player);
        EXPECT_EQ(found.path, c.code_page_line) << c.name;
        EXPECT_EQ(found.utf8_path, c.utf8_path) << c.name;
    }
}

}  // namespace
