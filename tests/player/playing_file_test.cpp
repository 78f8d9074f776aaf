#include "player/playing_file.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

// A scripted player: answers come from queues, and every call is written to a log.
class ScriptedPlayer final : public sq::PlayerLink {
public:
    std::deque<long> answers;  // WritePlaylist answers, in order (0 when the queue is empty)
    std::string program_path = "C:\\Program Files\\Winamp\\winamp.exe";
    long window_found = 1;
    std::string playlist_line = "C:\\Music\\a.mp3";
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
    std::string ReadPathLine(const std::string& file_path, long position) override {
        log.push_back("Read " + file_path + " @" + std::to_string(position));
        return playlist_line;
    }
};

using Log = std::vector<std::string>;

TEST(LookUpPlayingFile, AsksTwiceAndReadsThePlaylistInThePlayersFolder) {
    ScriptedPlayer player;
    player.answers = {4, 4};
    EXPECT_EQ(sq::LookUpPlayingFile(player), "C:\\Music\\a.mp3");
    EXPECT_EQ(player.log, (Log{"WritePlaylist=4", "GetWinAmpPath", "FindWinAmp=1", "WritePlaylist=4",
                               "Read C:\\Program Files\\Winamp\\WINAMP.m3u @4"}));
}

TEST(LookUpPlayingFile, FirstRequestNotAnsweredStillFindsThePosition) {
    // As after load: the first request goes to no window and gives 0, not -1.
    ScriptedPlayer player;
    player.answers = {0, 9};
    EXPECT_EQ(sq::LookUpPlayingFile(player), "C:\\Music\\a.mp3");
    EXPECT_EQ(player.log.back(), "Read C:\\Program Files\\Winamp\\WINAMP.m3u @9");
}

TEST(LookUpPlayingFile, PositionZero) {
    ScriptedPlayer player;
    player.answers = {0, 0};
    sq::LookUpPlayingFile(player);
    EXPECT_EQ(player.log.back(), "Read C:\\Program Files\\Winamp\\WINAMP.m3u @0");
}

TEST(LookUpPlayingFile, EachFailureEndsWithEmptyTextAtItsStep) {
    {
        ScriptedPlayer player;
        player.answers = {-1, 3};
        EXPECT_EQ(sq::LookUpPlayingFile(player), "");
        EXPECT_EQ(player.log, (Log{"WritePlaylist=-1"}));
    }
    {
        ScriptedPlayer player;
        player.answers = {2, 2};
        player.program_path.clear();
        EXPECT_EQ(sq::LookUpPlayingFile(player), "");
        EXPECT_EQ(player.log, (Log{"WritePlaylist=2", "GetWinAmpPath"}));
    }
    {
        // The player window closed since the last lookup.
        ScriptedPlayer player;
        player.answers = {0, 2};
        player.window_found = 0;
        EXPECT_EQ(sq::LookUpPlayingFile(player), "");
        EXPECT_EQ(player.log, (Log{"WritePlaylist=0", "GetWinAmpPath", "FindWinAmp=0"}));
    }
    {
        ScriptedPlayer player;
        player.answers = {2, -1};
        EXPECT_EQ(sq::LookUpPlayingFile(player), "");
        EXPECT_EQ(player.log, (Log{"WritePlaylist=2", "GetWinAmpPath", "FindWinAmp=1", "WritePlaylist=-1"}));
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
        EXPECT_EQ(player.log.back(), std::string("Read ") + c.playlist + " @1") << c.program_path;
    }
}

}  // namespace
