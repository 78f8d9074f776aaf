// The playing file on a 5.x player (the stand-in's 5.x profile): the per-user playlist folder it
// names in its own process, and a path the code page cannot hold, answered wide or found in
// Winamp.m3u8, and read by its wide path. Entries without information lines and 5.7's relative
// and drive-less paths are decided natively and shown end to end through the player simulator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/fake_player_window.h"
#include "media/cls_mp3.h"
#include "media/mp3_bytes.h"
#include "media/win32_file.h"
#include "common/ansi_text.h"
#include "player/winamp_mod.h"
#include "stand_in_player.h"
#include "support/win_test_support.h"

namespace {

namespace WinAmpMod = sq::WinAmpMod;

bool WriteBytes(const std::wstring& path, const std::string& bytes) { return sim::WriteWholeFile(path, bytes); }

// A default 5.x install: the program registered in its own folder, the playlist files written
// into a per-user folder elsewhere, and an old WINAMP.m3u from an earlier install left beside
// the program.
class Winamp5 : public testing::Test {
protected:
    void SetUp() override {
        WinAmpMod::hWinAmp = nullptr;
        program_ = sqtest::TempFolder(L"sq_w5_program");
        appdata_ = sqtest::TempFolder(L"sq_w5_appdata");
        user_ = appdata_ + L"Winamp\\";
        ::CreateDirectoryW(user_.c_str(), nullptr);
        const std::wstring command = L"\"" + program_ + L"winamp.exe\" \"%1\"";
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"WinAmp.File\\shell\\play\\command", 0, nullptr, 0, KEY_SET_VALUE,
                                    nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
        ASSERT_TRUE(WriteBytes(program_ + L"WINAMP.m3u", "#EXTM3U\r\n#EXTINF:1,Old\r\nC:\\Old\\0.mp3\r\n"
                                                               "#EXTINF:1,Old\r\nC:\\Old\\1.mp3\r\n"));
        player_.playlist_folder = user_;
    }
    void TearDown() override {
        player_.Close();
        sqtest::DeleteTree(program_);
        sqtest::DeleteTree(appdata_);
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "WinAmp.File");
    }
    void SetEntries(const std::vector<std::wstring>& paths) {
        player_.entries.clear();
        for (size_t k = 0; k < paths.size(); ++k) {
            player_.entries.push_back({paths[k], L"Title " + std::to_wstring(k), 100, true});
        }
    }

    std::wstring program_;
    std::wstring appdata_;
    std::wstring user_;
    sqtest::StandInPlayer player_{"1. A - B - Winamp", "", sqtest::PlayerProfile::kWinamp5};
};

TEST_F(Winamp5, DefaultInstallReadsThePlaylistInTheFolderThePlayerNames) {
    player_.answers_entries = false;
    SetEntries({L"C:\\Music\\0.mp3", L"C:\\Music\\1.mp3", L"C:\\Music\\2.mp3"});
    player_.position = 1;
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "C:\\Music\\1.mp3") << "not the old file beside the program";
    EXPECT_EQ(player_.folder_requests, 1) << "338 answered: 337 is not asked";

    player_.answers_338 = false;  // 5.11 to 5.2
    player_.position = 2;
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "C:\\Music\\2.mp3");

    player_.answers_337 = false;  // before 5.11: the program folder, where such a player writes
    player_.playlist_folder = program_;
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "C:\\Music\\2.mp3");

    player_.entries.clear();
    EXPECT_EQ(WinAmpMod::GetPlayingFile(), "") << "an empty playlist answers -1";
}

TEST_F(Winamp5, PathOutsideTheCodePageIsAnsweredOrFoundInTheUtf8PlaylistAndReadByItsWidePath) {
    const std::wstring name = L"\x65E5\x672C \x0141\x00F3d\x017A.mp3";  // 日本 Łódź.mp3: "?" and look-alikes
    BOOL lost = FALSE;
    ::WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, nullptr, 0, nullptr, &lost);
    if (!lost) GTEST_SKIP() << "this system's code page holds the name";
    ::CreateDirectoryW((user_ + L"Music").c_str(), nullptr);
    const std::wstring song = user_ + L"Music\\" + name;
    sqtest::Id3v1 tag;
    tag.title = "Wide Title";
    tag.artist = "Wide Artist";
    ASSERT_TRUE(WriteBytes(song, sqtest::Frame(sqtest::FrameHeader{}) + sqtest::Filler(4000) + tag.Encode()));
    SetEntries({L"C:\\M\\0.mp3", song});
    player_.position = 1;

    struct Route {
        bool answers_entries;
        sim::PathStyle style;
    };
    for (const Route route : {Route{true, sim::PathStyle::kFull}, Route{false, sim::PathStyle::kFull},
                              Route{false, sim::PathStyle::kRelativeToPlaylist}}) {
        player_.answers_entries = route.answers_entries;
        player_.path_style = route.style;
        const sq::PlayingFile found = WinAmpMod::FindPlayingFile();
        EXPECT_EQ(found.path, sim::EncodedText(song, CP_ACP)) << "the code page's form, with its \"?\"";
        ASSERT_EQ(sq::WideFromUtf8(found.utf8_path), song);

        sq::Win32FileOpener files;
        sq::clsMP3 reader(files);
        EXPECT_THROW(reader.ReadMP3(found.path), sq::ClsMP3Error) << "no file is named with \"?\"";
        files.NameWidePath(found.path, sq::WideFromUtf8(found.utf8_path));
        ASSERT_TRUE(reader.ReadMP3(found.path));
        EXPECT_EQ(reader.Artist, "Wide Artist");
        EXPECT_EQ(reader.Songname, "Wide Title");
        EXPECT_EQ(reader.MpegLayer, "3");
    }
    ::DeleteFileW(song.c_str());
}

TEST_F(Winamp5, TitlesAsThePlayerWritesThem) {
    struct Case {
        std::wstring window_text;
        std::string title;
    };
    // The player's own process reads the caption it stores, never a scrolled text. The state stays
    // in the song title; the player's own name counts as no song; without the number option the
    // title is kept whole. Characters outside the code page read as "?".
    const Case cases[] = {
        {L"3. Artist - Song - Winamp", "Artist - Song"},
        {L"3. Artist - Song - Winamp [Paused]", "Artist - Song [Paused]"},
        {L"3. Artist - Song - Winamp [Stopped]", "Artist - Song [Stopped]"},
        {L"Winamp 5.9.2 Build 10042", "No Song Playing"},
        {L"Windy Hill - Morning - Winamp", "Windy Hill - Morning"},
        {L"3. \x65E5\x672C - Song - Winamp", "?? - Song"},
    };
    for (const Case& c : cases) {
        player_.SetTitle(c.window_text);
        EXPECT_EQ(WinAmpMod::GetSongTitle(), c.title) << sq::Utf8FromWide(c.window_text);
    }
}

TEST(Winamp5Fake, EmptyPlaylistAndNoSong) {
    WinAmpMod::hWinAmp = nullptr;
    sqtest::FakePlayerWindow player("Winamp 5.9.2 Build 10042", sqtest::PlayerProfile::kWinamp5);
    EXPECT_EQ(WinAmpMod::GetSongTitle(), "No Song Playing");
    EXPECT_EQ(WinAmpMod::FindPlayingFile().path, "") << "an empty playlist answers -1";
}

}  // namespace
