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
    std::map<long, std::string> utf8_entries;       // its answers to 214, by position
    std::map<long, std::string> code_page_entries;  // and to 211
    bool utf8_playlist_current = false;
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
    std::string AskEntryUtf8(long position) override { return Answer("214", utf8_entries, position); }
    std::string AskEntryCodePage(long position) override { return Answer("211", code_page_entries, position); }
    bool Utf8PlaylistIsCurrent(const sq::PlaylistFolder&) override { return utf8_playlist_current; }
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
    // Look-alikes for what the test's ASCII code page lacks, "?" where there is none.
    std::string CodePageFromUtf8(const std::string& text) override {
        std::string ascii;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte < 0x80) ascii += text[i];
            else if (byte == 0xC5 && i + 1 < text.size() && text[i + 1] == '\x81') ascii += 'L';  // Ł
            else if (byte >= 0xC0) ascii += '?';  // one character, whatever its length
        }
        return ascii;
    }

private:
    std::string Answer(const char* request, const std::map<long, std::string>& replies, long position) {
        log.push_back(std::string(request) + "@" + std::to_string(position));
        const auto found = replies.find(position);
        return found == replies.end() ? std::string() : found->second;
    }
};

using Log = std::vector<std::string>;

TEST(LookUpPlayingFile, AsksTwiceAndReadsThePlaylistInThePlayersFolder) {
    ScriptedPlayer player;
    player.answers = {4, 4};
    const sq::PlayingFile found = sq::LookUpPlayingFile(player);
    EXPECT_EQ(found.path, "C:\\Music\\a.mp3");
    EXPECT_EQ(found.utf8_path, "");
    EXPECT_EQ(player.log, (Log{"WritePlaylist=4", "GetWinAmpPath", "FindWinAmp=1", "WritePlaylist=4", "214@4", "211@4",
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

TEST(LookUpPlayingFile, TheEntryThePlayerNamesComesFirstWideBeforeCodePage) {
    // The player counts hidden entries (streams, adverts) in its position and leaves them out of
    // its files, so the file's line 4 here is another song: what the player names wins.
    const std::string lodz = "C:\\Music\\\xc5\x81\xc3\xb3" "d\xc5\xba.mp3";  // Łódź.mp3
    struct EntryCase {
        const char* name;
        std::map<long, std::string> utf8_entries;
        std::map<long, std::string> code_page_entries;
        sq::PlayingFile expected;
        std::string last_step;
    };
    const EntryCase cases[] = {
        {"wide answer", {{4, lodz}}, {{4, "C:\\Music\\Lodz.mp3"}}, {"C:\\Music\\L?d?.mp3", lodz}, "214@4"},
        {"code-page answer only (2.x)", {}, {{4, "C:\\Music\\b.mp3"}}, {"C:\\Music\\b.mp3", ""}, "211@4"},
        {"no answer: the playlist files", {}, {}, {"C:\\Music\\a.mp3", ""},
         "Read C:\\Program Files\\Winamp\\WINAMP.m3u@4"},
    };
    for (const EntryCase& c : cases) {
        ScriptedPlayer player;
        player.answers = {4, 4};
        player.utf8_entries = c.utf8_entries;
        player.code_page_entries = c.code_page_entries;
        const sq::PlayingFile found = sq::LookUpPlayingFile(player);
        EXPECT_EQ(found.path, c.expected.path) << c.name;
        EXPECT_EQ(found.utf8_path, c.expected.utf8_path) << c.name;
        EXPECT_EQ(player.log.back(), c.last_step) << c.name;
    }
}

TEST(LookUpPlayingFile, Utf8PlaylistIsReadWheneverThePlayerHasJustWrittenIt) {
    // Neither a look-alike (Ł as L) nor "?" tells that the code page lost a character: a current
    // UTF-8 playlist is taken for every name; an older one is left from another player.
    const std::string utf8_folder = "C:\\Users\\J\xc3\xb8rn\\Winamp\\";
    const std::string lodz = "\\Music\\\xc5\x81\xc3\xb3" "d\xc5\xba.mp3";  // \Music\Łódź.mp3
    struct Utf8Case {
        const char* name;
        bool current;
        std::string utf8_line;  // empty: no such entry in Winamp.m3u8
        sq::PlayingFile expected;
    };
    const Utf8Case cases[] = {
        {"look-alike name", true, lodz, {"C:\\Music\\L?d?.mp3", "C:" + lodz}},
        {"relative name on a folder the code page lacks", true, "a.mp3",
         {"C:\\Users\\J?rn\\Winamp\\a.mp3", utf8_folder + "a.mp3"}},
        {"older UTF-8 playlist", false, lodz, {"C:\\Music\\Lodz.mp3", ""}},
        {"UTF-8 playlist without the entry", true, "", {"C:\\Music\\Lodz.mp3", ""}},
    };
    for (const Utf8Case& c : cases) {
        ScriptedPlayer player;
        player.answers = {0, 0};
        player.answered_folder = {"C:\\Users\\J?rn\\Winamp\\", utf8_folder};
        player.utf8_playlist_current = c.current;
        player.entries = {{"C:\\Users\\J?rn\\Winamp\\WINAMP.m3u@0", "\\Music\\Lodz.mp3"}};
        if (!c.utf8_line.empty()) player.entries[utf8_folder + "Winamp.m3u8@0"] = c.utf8_line;
        const sq::PlayingFile found = sq::LookUpPlayingFile(player);
        EXPECT_EQ(found.path, c.expected.path) << c.name;
        EXPECT_EQ(found.utf8_path, c.expected.utf8_path) << c.name;
    }
}

}  // namespace
