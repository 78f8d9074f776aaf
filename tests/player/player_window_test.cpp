// The player port over the real window: which window it asks, which answers it takes as text,
// the metadata record, the wide caption and the playlist files by their wide names, against the
// model of Winamp in this process (as the player that loaded the plug-in) and in another.
// What WinAmpMod decides from the answers is shown natively.
#include "player/win32_player_window.h"

#include <gtest/gtest.h>

#include <string>

#include "common/win32_ansi_text.h"
#include "common/win32_system_code_page.h"
#include "host_wrapper/simulated_player.h"
#include "player/winamp_mod.h"
#include "support/win_test_support.h"
#include "winamp_model/player_window.h"
#include "winamp_model/whole_file.h"

namespace {

namespace winamp = sq::winamp;
const sq::SystemCodePage kCodePage;

const std::wstring kLodz = L"C:\\Music\\\x0141\x00F3" L"d\x017A.mp3";  // Łódź.mp3

HWND WindowOfAnotherClass() {
    return ::CreateWindowExW(0, L"Static", L"1. Handed - Over - Winamp", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

// The window handed over first, whatever its class (a player started with /CLASS=); then this
// process's window of the player's class, though another program's was made later and is found
// first; then that one, whose pointers are never read.
TEST(PlayerWindow, TheWindowHandedOverThenThisProcesssThenAnyOther) {
    sim::PlayerWindow own(sim::Winamp5());
    own.Add({L"C:\\Music\\own.mp3", L"Own", L"Song"});
    own.Play(0);
    sqtest::ForeignPlayerWindow foreign;
    ASSERT_NE(foreign.hwnd(), nullptr);
    ASSERT_EQ(::FindWindowW(L"Winamp v1.x", nullptr), foreign.hwnd()) << "made later, it is found first";

    sq::PlayerWindow port;
    HWND handed = WindowOfAnotherClass();
    port.HandOver(handed);
    ASSERT_TRUE(port.FindWindow());
    EXPECT_EQ(port.Caption(), "1. Handed - Over - Winamp");
    ::DestroyWindow(handed);
    ASSERT_TRUE(port.FindWindow());
    EXPECT_EQ(port.AskWideText(winamp::kWidePlayingFile), "C:\\Music\\own.mp3") << "the handed window is gone";

    own.Close();
    ASSERT_TRUE(port.FindWindow());
    EXPECT_EQ(port.Ask(winamp::kPlayState), winamp::kPlaying);
    for (const winamp::Request request : {winamp::kWidePlayingFile, winamp::kWideEntryPath, winamp::kWidePlaylistFolder})
        EXPECT_EQ(port.AskWideText(request), "") << request;
    EXPECT_EQ(port.AskCodePageText(winamp::kEntryPath), "");
    EXPECT_EQ(port.AskWideMetadata("C:\\Music\\a.mp3", "artist"), std::nullopt);
    const std::string log = foreign.Log();
    EXPECT_NE(log.find("request 104 "), std::string::npos) << "the other program's window answers" << log;
    for (const char* pointer : {"request 211 ", "request 214 ", "request 3031 ", "request 338 ", "request 3026 "})
        EXPECT_EQ(log.find(pointer), std::string::npos) << pointer << log;
}

// A version answers 1 to what it lacks; such an answer is no text, and reading it would end the
// player.
TEST(PlayerWindow, OnlyAnswersThatAreTextsAreRead) {
    sim::PlayerWindow winamp2(sim::Winamp2());
    winamp2.Add({L"C:\\Music\\a.mp3"});
    winamp2.Play(0);
    sq::PlayerWindow port;
    ASSERT_TRUE(port.FindWindow());
    EXPECT_EQ(port.Ask(winamp::kVersion), 0x2091);
    EXPECT_EQ(port.AskWideText(winamp::kWidePlayingFile), "");
    EXPECT_EQ(port.AskWideText(winamp::kWideEntryPath, 0), "");
    EXPECT_EQ(port.AskCodePageText(winamp::kEntryPath, 0), "C:\\Music\\a.mp3");
    EXPECT_EQ(winamp2.Requests(winamp::kWidePlayingFile), 1);
    winamp2.Close();
    EXPECT_FALSE(port.FindWindow());
    EXPECT_EQ(port.Ask(winamp::kPlayState), std::nullopt) << "no window, no answer";
    EXPECT_EQ(port.Caption(), "");
}

// The record is the plug-in's, in this process; a version without the request answers 1 and
// leaves it as it was, which is empty; a field the player knows nothing of is answered 0.
TEST(PlayerWindow, MetadataOfEitherWidth) {
    const sim::Entry flac(L"C:\\Music\\\x0141\x00F3" L"d\x017A.flac", L"Bj\x00F6rk", L"J\x00F3ga");
    const std::string utf8_file = sq::Utf8FromWide(flac.path);
    {
        sim::PlayerWindow winamp5(sim::Winamp5());
        winamp5.Add(flac);
        sq::PlayerWindow port;
        ASSERT_TRUE(port.FindWindow());
        EXPECT_EQ(port.AskWideMetadata(utf8_file, "artist"), "Bj\xc3\xb6rk");
        EXPECT_EQ(port.AskWideMetadata(utf8_file, "title"), "J\xc3\xb3ga");
        EXPECT_EQ(port.AskWideMetadata(utf8_file, "composer"), std::nullopt) << "a field it knows nothing of";
    }
    sim::PlayerWindow winamp2(sim::Winamp2());
    winamp2.Add({sq::WideFromAnsi("C:\\Music\\b.flac"), L"Band", L"Song"});
    sq::PlayerWindow port;
    ASSERT_TRUE(port.FindWindow());
    EXPECT_EQ(port.AskWideMetadata("C:\\Music\\b.flac", "artist"), "") << "2.x answers 1 to 3026";
    EXPECT_EQ(port.AskCodePageMetadata("C:\\Music\\b.flac", "artist"), "Band");
}

// The caption as the player holds it: two titles that differ only outside the code page differ.
TEST(PlayerWindow, CaptionIsTheWideText) {
    sim::PlayerWindow winamp5(sim::Winamp5());
    sq::PlayerWindow port;
    sq::WinAmpMod player(port, kCodePage);
    winamp5.ShowCaption(L"1. \x041A\x0438\x043D\x043E - \x041F\x0435\x0447\x0430\x043B\x044C - Winamp");
    ASSERT_TRUE(player.FindWinAmp());
    const std::string first = player.GetSongTitle();
    winamp5.ShowCaption(L"2. \x041A\x0438\x043D\x043E - \x0413\x0440\x0443\x043F\x043F\x0430 - Winamp");
    EXPECT_EQ(first, sq::Utf8FromWide(L"\x041A\x0438\x043D\x043E - \x041F\x0435\x0447\x0430\x043B\x044C"));
    EXPECT_NE(player.GetSongTitle(), first);
}

// 5.x keeps playing a deleted entry, and an emptied list: its own answer names the file, and the
// player writes nothing.
TEST(PlayerWindow, DeletedOrClearedPlayingEntryIsStillThePlayingFile) {
    sim::PlayerWindow winamp5(sim::Winamp5());
    winamp5.playlist_folder = sqtest::TempFolder(L"sq_pw_deleted");
    winamp5.Add({L"C:\\Music\\before.mp3"});
    winamp5.Add({kLodz});
    winamp5.Play(1);
    sq::PlayerWindow port;
    sq::WinAmpMod player(port, kCodePage);
    ASSERT_TRUE(player.FindWinAmp());
    for (const char* change : {"deleted", "cleared"}) {
        if (std::string(change) == "deleted") winamp5.DeletePlaying();
        else winamp5.Clear();
        const sq::PlayingFile file = player.GetPlayingFile();
        EXPECT_EQ(sq::WideFromUtf8(file.utf8_path), kLodz) << change;
        EXPECT_EQ(file.path, sq::AnsiFromWide(kLodz)) << change;
    }
    EXPECT_EQ(winamp5.Requests(winamp::kWritePlaylist), 0);
    sqtest::DeleteTree(winamp5.playlist_folder);
}

// Opened by their wide names: a folder outside the code page holds the playlist files as well.
TEST(PlayerWindow, PlaylistFilesAreReadByTheirWideNames) {
    const std::wstring folder = sqtest::TempFolder(L"sq_pw_\x65E5\x672C");
    const sq::PlaylistFolder named{sq::AnsiFromWide(folder), sq::Utf8FromWide(folder)};
    sq::PlayerWindow port;
    EXPECT_FALSE(port.Utf8PlaylistIsCurrent(named)) << "no UTF-8 playlist";
    ASSERT_TRUE(sim::WriteWholeFile(folder + L"Winamp.m3u", "#EXTM3U\r\nC:\\Music\\a.mp3\r\n"));
    ::Sleep(20);
    ASSERT_TRUE(sim::WriteWholeFile(folder + L"Winamp.m3u8", "\xEF\xBB\xBF#EXTM3U\r\nC:\\Music\\\xc5\x81.mp3\r\n"));
    EXPECT_TRUE(port.Utf8PlaylistIsCurrent(named));
    EXPECT_EQ(port.ReadPlaylistEntry(named, "Winamp.m3u8", 0), "C:\\Music\\\xc5\x81.mp3");
    EXPECT_EQ(port.ReadPlaylistEntry(named, "WINAMP.m3u", 0), "C:\\Music\\a.mp3");
    EXPECT_EQ(port.ReadPlaylistEntry(named, "WINAMP.m3u", 1), "");
    sqtest::DeleteTree(folder);
}

}  // namespace
