// WinAmpMod against a stand-in player: its real window text, its answers to requests 120, 104 and
// 211, the playlist file it writes, the file-type registration that leads to that file, and
// another program's window of the player's class.
#include "player/winamp_mod.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/foreign_player_window.h"
#include "stand_in_player.h"

namespace {

namespace WinAmpMod = sq::WinAmpMod;

// Read before any test runs: the handle the component starts with.
const HWND g_handle_at_load = WinAmpMod::hWinAmp;

constexpr char kCommandKey[] = "WinAmp.File\\shell\\play\\command";
constexpr char kTestKey[] = "Software\\Sonoquill Tests\\WinAmpMod";

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "sq_player_" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool SetValue(HKEY root, const std::string& key_path, const char* name, DWORD type, const std::string& data,
              bool with_zero = true) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, key_path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status = ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                                            static_cast<DWORD>(data.size() + (with_zero ? 1 : 0)));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::vector<std::string> MakePaths(int count) {
    std::vector<std::string> paths;
    for (int k = 0; k < count; ++k) paths.push_back("C:\\Music\\Album\\" + std::to_string(k + 1) + " - Track.mp3");
    return paths;
}

// Every test starts as the component does after load (no player window remembered) and with the
// player registered under a quoted command line pointing at a folder of its own.
class WinAmpModTest : public testing::Test {
protected:
    void SetUp() override {
        WinAmpMod::hWinAmp = nullptr;
        folder_ = TempFolder();
        RegisterPlayer("\"" + folder_ + "winamp.exe\" \"%1\"");
    }
    void TearDown() override {
        ::DeleteFileA((folder_ + "WINAMP.m3u").c_str());
        ::RemoveDirectoryA(folder_.c_str());
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "WinAmp.File");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    }
    void RegisterPlayer(const std::string& command, DWORD type = REG_SZ) {
        ASSERT_TRUE(SetValue(HKEY_CLASSES_ROOT, kCommandKey, nullptr, type, command));
    }
    std::string folder_;
};

TEST(WinAmpModAtLoad, NoPlayerWindowIsRememberedAtLoad) { EXPECT_EQ(g_handle_at_load, nullptr); }

TEST_F(WinAmpModTest, SongTitleFromTheRealWindowText) {
    struct Case {
        std::string window_text;
        std::string title;
    };
    // The rule itself is tabled in the core tests; here the text comes through the real window.
    const Case cases[] = {
        {"7. Artist - Song - Winamp [Paused]", "Artist - Song [Paused]"},
        {"Winamp 2.91", "No Song Playing"},
        {"Artist - Song - Winamp", "Artist - Song"},
        {"", ""},
        // 300 characters: only the first 255 reach the title buffer, so the suffix stays.
        {"1. " + std::string(280, 'a') + " - Winamp" + std::string(8, 'b'), std::string(252, 'a')},
    };
    sqtest::StandInPlayer player("", folder_);
    ASSERT_NE(player.hwnd(), nullptr);
    for (const Case& c : cases) {
        player.SetTitle(c.window_text);
        EXPECT_EQ(WinAmpMod::GetSongTitle(), c.title) << "window text: " << c.window_text;
    }
    EXPECT_EQ(WinAmpMod::hWinAmp, nullptr) << "reading the title does not touch the remembered window";
}

TEST_F(WinAmpModTest, SongTitleWithoutPlayerIsEmpty) {
    {
        sqtest::StandInPlayer player("3. A - B - Winamp", folder_);
        EXPECT_EQ(WinAmpMod::GetSongTitle(), "A - B");
    }
    EXPECT_EQ(WinAmpMod::GetSongTitle(), "") << "player closed";
}

TEST_F(WinAmpModTest, TwoPlayerWindowsUseTheOneTheSystemFindsFirst) {
    sqtest::StandInPlayer first("1. First - Song - Winamp", folder_);
    sqtest::StandInPlayer second("2. Second - Song - Winamp", folder_);
    HWND found = ::FindWindowA("Winamp v1.x", nullptr);
    ASSERT_TRUE(found == first.hwnd() || found == second.hwnd());
    EXPECT_EQ(WinAmpMod::GetSongTitle(), found == first.hwnd() ? "First - Song" : "Second - Song");
    EXPECT_EQ(WinAmpMod::FindWinAmp(), 1);
    EXPECT_EQ(WinAmpMod::hWinAmp, found);
}

TEST_F(WinAmpModTest, FindWinAmpRemembersTheWindow) {
    EXPECT_EQ(WinAmpMod::FindWinAmp(), 0);
    EXPECT_EQ(WinAmpMod::hWinAmp, nullptr);
    sqtest::StandInPlayer player("Winamp", folder_);
    EXPECT_EQ(WinAmpMod::FindWinAmp(), 1);
    EXPECT_EQ(WinAmpMod::hWinAmp, player.hwnd());
    player.Close();
    EXPECT_EQ(WinAmpMod::FindWinAmp(), 0);
    EXPECT_EQ(WinAmpMod::hWinAmp, nullptr);
}

TEST_F(WinAmpModTest, WritePlaylistGoesOnlyToTheRememberedWindow) {
    sqtest::StandInPlayer player("Winamp", folder_);
    player.paths = MakePaths(3);
    player.position = 2;
    EXPECT_EQ(WinAmpMod::WritePlaylist(), 0) << "before FindWinAmp the request goes to handle 0";
    EXPECT_EQ(player.requests, 0);
    ASSERT_EQ(WinAmpMod::FindWinAmp(), 1);
    EXPECT_EQ(WinAmpMod::WritePlaylist(), 2);
    EXPECT_EQ(player.requests, 1);
    player.fail_requests = true;
    EXPECT_EQ(WinAmpMod::WritePlaylist(), -1);
    player.Close();
    EXPECT_EQ(WinAmpMod::WritePlaylist(), 0) << "the remembered window is gone: nothing answers";
}

TEST_F(WinAmpModTest, PlayingFileAtPositionZeroAndP) {
    sqtest::StandInPlayer player("1. A - B - Winamp", folder_);
    player.answers_entries = false;  // the playlist file is read
    player.paths = MakePaths(40);
    for (long p : {0L, 1L, 23L, 39L}) {
        player.position = p;
        EXPECT_EQ(WinAmpMod::GetPlayingFile(), player.paths[static_cast<size_t>(p)]) << "position " << p;
    }
}

TEST_F(WinAmpModTest, FirstLookupAfterLoadAsksOnceThenTwiceAfterwards) {
    sqtest::StandInPlayer player("1. A - B - Winamp", folder_);
    player.paths = MakePaths(5);
    player.position = 4;
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), player.paths[4]);
    EXPECT_EQ(player.requests, 1) << "the first request goes to no window; the second finds the player";
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), player.paths[4]);
    EXPECT_EQ(player.requests, 3) << "later lookups ask the player twice";
}

TEST_F(WinAmpModTest, PlayerClosingBetweenLookups) {
    auto player = std::make_unique<sqtest::StandInPlayer>("1. A - B - Winamp", folder_);
    player->paths = MakePaths(5);
    player->position = 1;
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), player->paths[1]);
    player.reset();
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "") << "no player window at the second lookup";

    // The player starts again: the old handle is not answered, the fresh lookup is.
    sqtest::StandInPlayer restarted("1. A - B - Winamp", folder_);
    restarted.paths = MakePaths(5);
    restarted.position = 3;
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), restarted.paths[3]);
    EXPECT_EQ(restarted.requests, 1);
}

TEST_F(WinAmpModTest, PlayerFailingTheRequestGivesEmptyText) {
    sqtest::StandInPlayer player("1. A - B - Winamp", folder_);
    player.paths = MakePaths(2);
    ASSERT_EQ(WinAmpMod::GetPlayingFile(), player.paths[0]);
    player.fail_requests = true;
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "");
}

// Mended: the header line was once taken for the playing file.
TEST_F(WinAmpModTest, EmptyPlaylistGivesNoFile) {
    sqtest::StandInPlayer player("Winamp 5", folder_);
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "");
    EXPECT_EQ(player.requests, 1);
}

TEST_F(WinAmpModTest, RegistrationDecidesWhereThePlaylistIsRead) {
    sqtest::StandInPlayer player("1. A - B - Winamp", folder_);
    player.answers_entries = false;
    player.paths = MakePaths(3);
    player.position = 2;
    ASSERT_EQ(WinAmpMod::GetPlayingFile(), player.paths[2]);
    EXPECT_EQ(WinAmpMod::GetWinAmpPath(), folder_ + "winamp.exe");

    RegisterPlayer(folder_ + "winamp.exe \"%1\"", REG_EXPAND_SZ);
    EXPECT_EQ(WinAmpMod::GetWinAmpPath(), "") << "REG_EXPAND_SZ is not read";
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "");

    // Unquoted: the drive letter is cut off, the folder is wrong and the playlist not found.
    RegisterPlayer(folder_ + "winamp.exe %1");
    EXPECT_EQ(WinAmpMod::GetWinAmpPath(), folder_.substr(1) + "winamp.");
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "");

    RegisterPlayer("\"x\" %1");
    EXPECT_EQ(WinAmpMod::GetWinAmpPath(), "") << "7 characters are too short";

    ASSERT_EQ(::RegDeleteTreeA(HKEY_CLASSES_ROOT, "WinAmp.File"), ERROR_SUCCESS);
    EXPECT_EQ(WinAmpMod::GetWinAmpPath(), "");
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "");
}

TEST_F(WinAmpModTest, ThePlayersAnswerNamesTheEntryItsFileLeavesOut) {
    sqtest::StandInPlayer player("2. A - B - Winamp", folder_);
    player.paths = {"http://radio.example/curtain", "C:\\Music\\a.mp3", "C:\\Music\\b.mp3"};
    player.hidden = {0};
    player.position = 1;
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "C:\\Music\\a.mp3");
    player.answers_entries = false;  // left to its file, which lacks the curtain: the next line
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "C:\\Music\\b.mp3");
}

TEST_F(WinAmpModTest, AnotherProgramsWindowFoundFirstIsNotFollowedNorItsPointersRead) {
    sqtest::StandInPlayer player("Artist - Song - Winamp", folder_);
    player.paths = MakePaths(3);
    player.position = 2;
    player.play_state = 3;
    sqtest::ForeignPlayerWindow foreign;
    ASSERT_NE(foreign.hwnd(), nullptr);
    ASSERT_EQ(::FindWindowA("Winamp v1.x", nullptr), foreign.hwnd()) << "made later, it is found first";

    EXPECT_EQ(WinAmpMod::FindPlayerWindow(), player.hwnd());
    EXPECT_EQ(WinAmpMod::GetSongTitle(), "Artist - Song");
    EXPECT_EQ(WinAmpMod::GetPlayState(WinAmpMod::FindPlayerWindow()), 3);
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), player.paths[2]);
    EXPECT_EQ(WinAmpMod::hWinAmp, player.hwnd());

    // With no player of its own the plug-in follows the only one there is, but reading one of its
    // pointers would end this process.
    player.Close();
    EXPECT_EQ(WinAmpMod::FindPlayerWindow(), foreign.hwnd());
    EXPECT_EQ(WinAmpMod::GetSongTitle(), "Foreign Artist - Foreign Song");
    EXPECT_EQ(WinAmpMod::GetPlayState(foreign.hwnd()), 1);
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), player.paths[0]) << "its answer 0 read in the registered folder's file";
    const std::string log = foreign.Log();
    EXPECT_NE(log.find("request 120"), std::string::npos) << log;
    for (const char* pointer : {"request 211", "request 214", "request 337", "request 338"}) {
        EXPECT_EQ(log.find(pointer), std::string::npos) << log;
    }
}

TEST_F(WinAmpModTest, ReadRegStringTakesOnlyShortRegSz) {
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kTestKey, nullptr, REG_SZ, "default text"));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kTestKey, "Plain", REG_SZ, "C:\\Program Files\\x"));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kTestKey, "Empty", REG_SZ, ""));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kTestKey, "Longest", REG_SZ, std::string(255, 'L')));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kTestKey, "TooLong", REG_SZ, std::string(256, 'T')));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kTestKey, "Expand", REG_EXPAND_SZ, "%WINDIR%\\x"));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kTestKey, "Multi", REG_MULTI_SZ, std::string("a\0b\0", 4)));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kTestKey, "Binary", REG_BINARY, "bytes", false));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kTestKey, "Unterminated", REG_SZ, "no zero", false));

    struct Case {
        std::string name;
        std::string expected;
    };
    const Case cases[] = {
        {"", "default text"},
        {"Plain", "C:\\Program Files\\x"},
        {"Empty", ""},
        {"Longest", std::string(255, 'L')},
        {"TooLong", ""},
        {"Expand", ""},
        {"Multi", ""},
        {"Binary", ""},
        {"Unterminated", "no zero"},
        {"Missing", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WinAmpMod::ReadRegString(HKEY_CURRENT_USER, kTestKey, c.name), c.expected) << "value [" << c.name << "]";
    }
    EXPECT_EQ(WinAmpMod::ReadRegString(HKEY_CURRENT_USER, "Software\\Sonoquill Tests\\No Such Key", ""), "");
    EXPECT_EQ(WinAmpMod::ReadRegString(nullptr, kTestKey, "Plain"), "") << "no root key";
}

}  // namespace
