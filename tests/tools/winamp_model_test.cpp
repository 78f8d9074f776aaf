// The model of Winamp (tools/winamp_model) asked as a plug-in asks the player, from its own
// process: which requests each version answers and how, the captions it shows as it plays and as
// the taskbar scroll rotates them, the playing title, the output plug-in and the position it runs
// at, the playing file after its entry is deleted and the list cleared, the metadata it has read
// and the tags its file-info dialog saves, the video output a film opens, and what each input
// shows and answers as it plays an address, second by second.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/win_test_support.h"
#include "winamp_model/code_page_text.h"
#include "winamp_model/player_window.h"
#include "winamp_model/whole_file.h"

namespace {

namespace winamp = sim::winamp;
using sim::PlayerWindow;

// A request number that no version of the model implements.
constexpr long kNeitherImplements = 106;

LRESULT Ask(const PlayerWindow& player, long request, WPARAM argument = 0) {
    return ::SendMessageW(player.hwnd(), WM_USER, argument, request);
}

std::wstring WideAnswer(LRESULT answer) { return reinterpret_cast<const wchar_t*>(answer); }

std::string NarrowAnswer(LRESULT answer) { return reinterpret_cast<const char*>(answer); }

std::wstring Caption(const PlayerWindow& player) { return sqtest::WindowText(player.hwnd()); }

TEST(WinampModel, EachVersionAnswersWhatItImplementsAndEveryOtherRequestWithOne) {
    // The player's numbers, written out: a wrong one in the model's own names fails here.
    const long by_both[] = {0, 104, 105, 120, 125, 211, 290};
    const long by_5x[] = {214, 335, 337, 338, 625, 3026, 3031, 3034, 501};
    for (const sim::Profile* profile : {&sim::Winamp2(), &sim::Winamp5()}) {
        SCOPED_TRACE(profile->log_name);
        PlayerWindow player(*profile);
        player.clock = [] { return 0.0; };  // 105 answers 0 ms, paused at once
        player.Add({L"C:\\Music\\a.mp3", L"A", L"B"});
        player.Play(0);
        player.Pause();  // 104 answers 3: no answer of an implemented request is 1 here
        for (const long request : by_both) EXPECT_NE(Ask(player, request), 1) << request;
        for (const long request : by_5x) EXPECT_EQ(Ask(player, request) == 1, profile->major == 2) << request;
        EXPECT_EQ(Ask(player, kNeitherImplements), 1);
        EXPECT_EQ(Ask(player, winamp::kVersion), profile->major == 5 ? 0x5092 : 0x2091);
        EXPECT_EQ(player.Requests(winamp::kVersion), 2);
        player.foreign = true;
        EXPECT_GE(static_cast<std::uintptr_t>(Ask(player, winamp::kEntryPath)), 0xFFFF0000u)
            << "another program's window answers an address no process maps";
        player.Unanswer(winamp::kEntryPath);
        EXPECT_EQ(Ask(player, winamp::kEntryPath), 1) << "a player that lacks 211";
    }
}

TEST(WinampModel, CaptionFollowsWhatPlaysAsEachVersionShowsIt) {
    const std::wstring song = L"Artist - \x65E5\x672C - Winamp";  // outside the code page
    const struct {
        const sim::Profile& profile;
        bool numbered;
        void (PlayerWindow::*action)();
        const wchar_t* state;
    } rows[] = {
        {sim::Winamp2(), true, &PlayerWindow::Play, L""},   {sim::Winamp5(), true, &PlayerWindow::Play, L""},
        {sim::Winamp5(), false, &PlayerWindow::Play, L""},  {sim::Winamp2(), true, &PlayerWindow::Pause, L""},
        {sim::Winamp5(), true, &PlayerWindow::Pause, L" [Paused]"}, {sim::Winamp5(), true, &PlayerWindow::Stop, L" [Stopped]"},
    };
    for (const auto& row : rows) {
        PlayerWindow player(row.profile);
        player.numbered = row.numbered;
        player.Add({L"C:\\Music\\Untagged Song.mp3"});
        player.Add({L"C:\\Music\\b.mp3", L"Artist", L"\x65E5\x672C"});
        player.Restore(1);
        EXPECT_EQ(Caption(player), row.profile.name) << "idle: the player's own name";
        player.Play();
        (player.*row.action)();
        const std::wstring caption = (row.numbered ? L"2. " : L"") + song + row.state;
        const std::wstring in_code_page = sim::DecodedText(sim::EncodedText(caption, CP_ACP), CP_ACP);
        EXPECT_EQ(Caption(player), row.profile.unicode_caption ? caption : in_code_page)
            << "2.x keeps its caption in the code page";
        player.Play(0);
        EXPECT_EQ(Caption(player).substr(0, 16), row.numbered ? L"1. Untagged Song" : L"Untagged Song - ");
    }
    PlayerWindow player;
    const int before = player.caption_reads();
    sqtest::WindowText(player.hwnd());
    EXPECT_EQ(player.caption_reads(), before + 1);
}

TEST(WinampModel, PlaybackGoesOnWhenThePlayingEntryIsDeletedAndTheListCleared) {
    PlayerWindow player(sim::Winamp5());
    for (const wchar_t* path : {L"C:\\M\\0.mp3", L"C:\\M\\1.mp3", L"C:\\M\\2.mp3"}) player.Add({path, L"A", path});
    player.Play(1);
    const std::wstring caption = Caption(player);
    player.DeletePlaying();
    EXPECT_EQ(Ask(player, winamp::kPlaylistPosition), 0) << "the entry before it";
    EXPECT_EQ(WideAnswer(Ask(player, winamp::kWidePlayingFile)), L"C:\\M\\1.mp3");
    EXPECT_EQ(NarrowAnswer(Ask(player, winamp::kEntryPath, 1)), "C:\\M\\2.mp3");
    EXPECT_EQ(Caption(player), caption);
    player.Clear();
    EXPECT_EQ(Ask(player, winamp::kWritePlaylist), -1);
    EXPECT_EQ(Ask(player, winamp::kPlaylistPosition), -1);
    EXPECT_EQ(Ask(player, winamp::kPlayState), winamp::kPlaying);
    EXPECT_EQ(WideAnswer(Ask(player, winamp::kWidePlayingFile)), L"C:\\M\\1.mp3");
    EXPECT_EQ(Ask(player, winamp::kEntryPath, 0), 0) << "no entry";
}

TEST(WinampModel, MetadataOfWhatThePlayerHasReadAndNothingTouchedOtherwise) {
    const std::wstring flac = L"C:\\Music\\\x0141\x00F3" L"d\x017A.flac";
    PlayerWindow winamp5(sim::Winamp5());
    PlayerWindow winamp2(sim::Winamp2());
    for (PlayerWindow* player : {&winamp5, &winamp2}) player->Add({flac, L"Flac Artist", L"Flac Song"});
    const std::string narrow_flac = sim::EncodedText(flac, CP_ACP);
    const struct {
        PlayerWindow& player;
        const char* field;
        LRESULT answer;
        std::string ret;
    } rows[] = {{winamp5, "artist", 1, "Flac Artist"}, {winamp2, "title", 1, "Flac Song"},
                {winamp5, "album", 1, ""},             {winamp5, "genre", 0, ""}};
    for (const auto& row : rows) {
        char ret[32] = "untouched";
        winamp::ExtendedFileInfo info{narrow_flac.c_str(), row.field, ret, sizeof ret};
        EXPECT_EQ(Ask(row.player, winamp::kMetadata, reinterpret_cast<WPARAM>(&info)), row.answer) << row.field;
        EXPECT_EQ(std::string(ret), row.ret) << row.field;
    }
    wchar_t ret[8] = L"untouch";
    winamp::WideExtendedFileInfo info{flac.c_str(), L"title", ret, 8};
    EXPECT_EQ(Ask(winamp5, winamp::kWideMetadata, reinterpret_cast<WPARAM>(&info)), 1);
    EXPECT_STREQ(ret, L"Flac So") << "cut to retlen";
    ret[0] = L'?';
    EXPECT_EQ(Ask(winamp2, winamp::kWideMetadata, reinterpret_cast<WPARAM>(&info)), 1) << "2.x lacks it";
    EXPECT_STREQ(ret, L"?lac So");
    info.ret = nullptr;
    for (const WPARAM bad : {WPARAM{0}, WPARAM{5}, reinterpret_cast<WPARAM>(&info)}) {
        EXPECT_EQ(Ask(winamp5, winamp::kWideMetadata, bad), 0) << "no record to fill";
    }

    sim::Entry stream(L"http://radio.example/live");
    stream.stream_songs = {{0, L"Band - Tune"}};
    winamp5.Add(stream);
    winamp5.Play(1);
    for (int second = 0; second < 4; ++second) winamp5.Tick();  // connected, its first data in
    char song[32] = {};
    winamp::ExtendedFileInfo playing{"HTTP://radio.example/live", "StreamTitle", song, sizeof song};
    EXPECT_EQ(Ask(winamp5, winamp::kMetadata, reinterpret_cast<WPARAM>(&playing)), 1);
    EXPECT_STREQ(song, "Band - Tune") << "the bare song";
}

TEST(WinampModel, TaskbarScrollRotatesTheWindowsCaptionInBothFormsAndStartsAgainOnANewOne) {
    const char* forms[] = {"abc *** abc", "bc *** abc", "c *** abc", " *** abc *** ", "*** abc *** ", "** abc *** "};
    for (std::size_t step = 0; step < 9; ++step)
        EXPECT_EQ(sim::ScrolledCaption(std::string("abc"), step), forms[step % 6]);

    for (const sim::Profile* profile : {&sim::Winamp2(), &sim::Winamp5()}) {
        SCOPED_TRACE(profile->log_name);
        PlayerWindow player(*profile);
        player.scroll_title = true;
        player.Add({L"C:\\Music\\a.mp3", L"Artist", L"Song"});
        player.Add({L"C:\\Music\\b.mp3", L"Other", L"Tune"});
        player.Play(0);
        const std::wstring caption = L"1. Artist - Song - Winamp";
        for (std::size_t step = 0; step <= sim::ScrollForms(caption.size()); ++step) {
            EXPECT_EQ(Caption(player), sim::ScrolledCaption(caption, step)) << step;
            player.Scroll();
        }
        player.Pause();  // 2.x shows no state: the same caption scrolls on
        EXPECT_EQ(Caption(player), sim::ScrolledCaption(player.Caption(), profile->state_in_caption ? 0 : 1));
        EXPECT_EQ(player.Caption().find(L"***"), std::wstring::npos) << "the model's caption (and 3034) stay whole";
        player.Play(1);
        EXPECT_EQ(Caption(player), L"2. Other - Tune - Winamp *** 2. Other - Tune - Winamp") << "a new one, from 0";
    }
}

TEST(WinampModel, OutputPluginSetsThePositionsSpeedFrozenWhilePausedNoneWhenStoppedFromZeroOnEachNewEntry) {
    PlayerWindow winamp2(sim::Winamp2());
    PlayerWindow winamp5(sim::Winamp5());
    EXPECT_EQ(Ask(winamp2, winamp::kOutputPlugin), 1) << "2.91 lacks 625";
    EXPECT_EQ(NarrowAnswer(Ask(winamp5, winamp::kOutputPlugin)), "out_ds.dll");
    winamp5.SetOutput(L"out_disk.dll");
    EXPECT_EQ(NarrowAnswer(Ask(winamp5, winamp::kOutputPlugin)), "out_disk.dll");
    enum Step { kLook, kPlay, kTick, kPause, kSeek10, kDirectSound, kNext, kStop };
    // Songs of 100 s; the Disk Writer at 40 s a second, then DirectSound again.
    const struct { Step step; double at_ms; long position; } steps[] = {
        {kLook, 0, -1},        {kPlay, 0, 0},           {kLook, 250, 10000},          {kTick, 1000, 40000},
        {kPause, 1500, 60000}, {kLook, 9000, 60000},    {kPlay, 9000, 60000},         {kLook, 9250, 70000},
        {kTick, 9500, 80000},  {kLook, 10400, 100000},  {kTick, 10500, 0},            {kSeek10, 10500, 10000},
        {kLook, 10750, 20000}, {kDirectSound, 10750, 20000}, {kTick, 11000, 50000}, {kLook, 11500, 50500},
        {kNext, 11500, 0},     {kLook, 11750, 250},     {kStop, 11750, -1}};
    for (PlayerWindow* player : {&winamp2, &winamp5}) {
        SCOPED_TRACE(player->profile().log_name);
        double now = 0;
        player->clock = [&now] { return now; };
        player->SetOutput(L"out_disk.dll");
        sim::Entry song(L"C:\\Music\\a.mp3", L"A", L"B");
        song.seconds = 100;
        for (int n = 0; n < 3; ++n) player->Add(song);
        for (const auto& row : steps) {
            now = row.at_ms;
            if (row.step == kPlay) player->Play();
            if (row.step == kTick) player->Tick();
            if (row.step == kPause) player->Pause();
            if (row.step == kSeek10) player->Seek(10);
            if (row.step == kDirectSound) player->SetOutput(L"out_ds.dll");
            if (row.step == kNext) player->Next();
            if (row.step == kStop) player->Stop();
            EXPECT_EQ(Ask(*player, winamp::kPlayPosition), row.position) << "step " << row.step << " at " << row.at_ms;
        }
        EXPECT_EQ(player->position(), 2) << "the first song, written in 3 s, gave way to the next, Next to the third";
    }
}

// A field of `file` as 3026 answers it, "0" or "1:" and the text, after checking that 290, its
// code-page form, answers alike.
std::wstring Field(const PlayerWindow& player, const std::wstring& file, const wchar_t* field) {
    wchar_t wide[64] = L"untouched";
    winamp::WideExtendedFileInfo info{file.c_str(), field, wide, 64};
    const LRESULT answer = Ask(player, winamp::kWideMetadata, reinterpret_cast<WPARAM>(&info));
    const std::string narrow_file = sim::EncodedText(file, CP_ACP);
    const std::string narrow_field = sim::EncodedText(field, CP_ACP);
    char narrow[64] = "untouched";
    winamp::ExtendedFileInfo code_page{narrow_file.c_str(), narrow_field.c_str(), narrow, sizeof narrow};
    EXPECT_EQ(Ask(player, winamp::kMetadata, reinterpret_cast<WPARAM>(&code_page)), answer) << field;
    EXPECT_EQ(sim::DecodedText(narrow, CP_ACP), wide) << field;
    return answer ? L"1:" + std::wstring(wide) : L"0";
}

TEST(WinampModel, WhatPlaysShowsItsTitleStatePositionAndFieldsOverTimeAsItsInputDoes) {
    PlayerWindow player(sim::Winamp5());
    player.clock = [] { return 0.0; };  // 105 answers whole seconds
    player.Add({L"C:\\Music\\a.mp3", L"Artist", L"Song"});
    sim::Entry station(L"http://radio.example/live");
    station.station = L"Radio X";
    station.stream_songs = {{2, L"Band - Tune"}, {5, L""}};  // from the first data, at second 4
    sim::Entry tagged(L"http://pod.example/ep42.mp3", L"Podcast Author", L"Episode 42");
    tagged.server = sim::HttpServer::kPlain;
    tagged.id3v2_after = 3;
    sim::Entry untagged(L"http://pod.example/episode.mp3?id=7");
    untagged.server = sim::HttpServer::kPlain;
    sim::Entry headers(L"http://radio.example:8000/");
    headers.server = sim::HttpServer::kStationHeaders;
    sim::Entry ogg(L"http://radio.example/live.OGG");
    ogg.stream_songs = {{0, L"Ogg Artist - Ogg Title"}, {2, L"Next Artist - Next Title"}};
    for (const sim::Entry& entry : {station, tagged, untagged, headers, ogg, sim::Entry(L"http://pod.example/episode.m4a"),
                                    sim::Entry(L"http://pod.example/episode.flac")})
        player.Add(entry);
    const auto play = [](std::size_t entry, int seconds) {
        return [entry, seconds](PlayerWindow& p) {
            p.Play(entry);
            for (int i = 0; i < seconds; ++i) p.Tick();
        };
    };
    const auto tick = [](int seconds) {
        return [seconds](PlayerWindow& p) {
            for (int i = 0; i < seconds; ++i) p.Tick();
        };
    };
    // After each step: 3034's title, 104, 105, and "streamtitle", "streamtype", "artist" and
    // "title" of the file 3031 names.
    const struct {
        std::function<void(PlayerWindow&)> step;
        const wchar_t* title;
        long state;
        long position;
        const wchar_t* fields[4];
    } steps[] = {
        {tick(0), L"", 0, -1, {L"0", L"0", L"0", L"0"}},
        {play(0, 0), L"Artist - Song", 1, 0, {L"0", L"0", L"1:Artist", L"1:Song"}},
        {[](PlayerWindow& p) { p.Pause(); }, L"Artist - Song", 3, 0, {L"0", L"0", L"1:Artist", L"1:Song"}},
        {[](PlayerWindow& p) { p.Stop(); }, L"Artist - Song", 0, -1, {L"0", L"0", L"1:Artist", L"1:Song"}},
        {play(1, 1), L"[Connecting] http://radio.example/live", 1, 1000, {L"1:", L"0", L"0", L"0"}},
        {tick(3), L"Radio X", 1, 4000, {L"1:", L"1:2", L"0", L"0"}},
        {tick(2), L"Band - Tune (Radio X)", 1, 6000, {L"1:Band - Tune", L"1:2", L"0", L"0"}},
        {tick(3), L"(Radio X)", 1, 9000, {L"1:", L"1:2", L"0", L"0"}},
        {play(2, 0), L"http://pod.example/ep42.mp3", 1, 0, {L"1:", L"0", L"0", L"0"}},
        {tick(3), L"[Connecting] http://pod.example/ep42.mp3", 1, 3000, {L"1:", L"0", L"0", L"0"}},
        {tick(1), L"Podcast Author - Episode 42", 1, 4000, {L"1:", L"1:1", L"1:Podcast Author", L"1:Episode 42"}},
        {play(3, 2), L"episode.mp3", 1, 2000, {L"1:", L"1:1", L"0", L"0"}},
        {play(4, 2), L"http://radio.example:8000/", 1, 2000, {L"1:", L"1:2", L"0", L"0"}},
        {play(5, 1), L"Connecting...", 1, 0, {L"0", L"0", L"0", L"0"}},
        {tick(1), L"Prebuffering : 50%", 1, 0, {L"0", L"0", L"0", L"0"}},
        {tick(2), L"Ogg Artist - Ogg Title", 1, 0, {L"0", L"0", L"0", L"0"}},
        {tick(2), L"Next Artist - Next Title", 1, 2000, {L"0", L"0", L"0", L"0"}},
        {play(6, 1), L"episode", 1, 1000, {L"0", L"0", L"0", L"0"}},
        {play(7, 5), L"http://pod.example/episode.flac", 1, 5000, {L"0", L"0", L"0", L"0"}},
    };
    const wchar_t* const fields[] = {L"streamtitle", L"streamtype", L"artist", L"title"};
    for (const auto& row : steps) {
        row.step(player);
        const std::wstring title = row.title;
        SCOPED_TRACE(title);
        EXPECT_EQ(WideAnswer(Ask(player, winamp::kWidePlayingTitle)), title);
        const std::wstring shown = title.empty() ? std::wstring(sim::Winamp5().name) : L". " + title + L" - Winamp";
        EXPECT_NE(player.Caption().find(shown), std::wstring::npos) << player.Caption();
        EXPECT_EQ(Ask(player, winamp::kPlayState), row.state);
        EXPECT_EQ(Ask(player, winamp::kPlayPosition), row.position);
        const std::wstring playing = WideAnswer(Ask(player, winamp::kWidePlayingFile));
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Field(player, playing, fields[i]), row.fields[i]) << fields[i];
    }
}

TEST(WinampModel, VideoOutputIsOpenWhileAFilmPlaysOrIsPausedAndClosedForSongsAndWhenStopped) {
    PlayerWindow player(sim::Winamp5());
    sim::Entry film(L"C:\\Films\\Road Trip.avi");
    film.video = true;
    player.Add(film);
    player.Add({L"C:\\Music\\a.mp3", L"A", L"B"});
    EXPECT_EQ(Ask(player, winamp::kIsPlayingVideo), 0) << "nothing played";
    const struct { void (PlayerWindow::*step)(); long answer; } steps[] = {
        {&PlayerWindow::Play, winamp::kVideoOpen}, {&PlayerWindow::Pause, winamp::kVideoOpen},
        {&PlayerWindow::Stop, 0}, {&PlayerWindow::Next, 0}};
    for (const auto& row : steps) {
        (player.*row.step)();
        EXPECT_EQ(Ask(player, winamp::kIsPlayingVideo), row.answer) << player.Caption();
    }
}

// An ID3v1 tag: "TAG", the title, the artist, then the other 65 bytes as they are.
std::string Id3v1(std::string title, std::string artist, const std::string& rest) {
    return "TAG" + title.append(30 - title.size(), '\0') + artist.append(30 - artist.size(), '\0') + rest;
}

TEST(WinampModel, SavedTagsShowAtOnceWhilePlaybackGoesOnFromWhereItWasAfterTheReopenedFilesMoment) {
    const std::string audio(160, '\x55');
    const std::string kept = "Old Album" + std::string(55, '\0') + "\x11";  // album, year, comment, genre
    const std::string tagged = audio + Id3v1("Old Title", "Old Artist", kept);
    const std::string appended = Id3v1("New Title", "New Artist", std::string(64, '\0') + "\xFF");  // no genre
    // Playing (Play changes nothing), paused or stopped, and the file's bytes before and after.
    const struct { void (PlayerWindow::*before)(); const wchar_t* file; std::string bytes, after; } rows[] = {
        {&PlayerWindow::Play, L"tagged.mp3", tagged, audio + Id3v1("New Title", "New Artist", kept)},
        {&PlayerWindow::Pause, L"untagged.mp3", audio, audio + appended},
        {&PlayerWindow::Stop, L"song.flac", tagged, tagged},
    };
    const std::wstring folder = sqtest::TempFolder(L"retag");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const std::wstring path = folder + row.file;
        ASSERT_TRUE(sim::WriteWholeFile(path, row.bytes));
        PlayerWindow player(sim::Winamp5());
        double now = 0;
        player.clock = [&now] { return now; };
        player.Add({path, L"Old Artist", L"Old Title"});
        player.Play(0);
        for (now = 1000; now <= 30000; now += 1000) player.Tick();
        now = 30400;
        (player.*row.before)();
        const LRESULT state = Ask(player, winamp::kPlayState);
        const LRESULT position = Ask(player, winamp::kPlayPosition);
        player.Retag(L"New Artist", L"New Title");
        EXPECT_EQ(Ask(player, winamp::kPlayState), state) << "stopped, written and played again within one message";
        EXPECT_EQ(WideAnswer(Ask(player, winamp::kWidePlayingFile)), path);
        EXPECT_EQ(WideAnswer(Ask(player, winamp::kWidePlayingTitle)), L"New Artist - New Title");
        EXPECT_EQ(Caption(player).rfind(L"1. New Artist - New Title - Winamp", 0), 0u) << Caption(player);
        EXPECT_EQ(sqtest::ReadWholeFile(path), row.after);
        wchar_t artist[16] = {};
        winamp::WideExtendedFileInfo info{path.c_str(), L"artist", artist, 16};
        EXPECT_EQ(Ask(player, winamp::kWideMetadata, reinterpret_cast<WPARAM>(&info)), 1);
        EXPECT_STREQ(artist, L"New Artist") << "the playlist's entry, too";

        const bool runs = state == winamp::kPlaying;
        now = 31000;
        player.Tick();
        now = 30400 + player.reopen_ms - 1;
        EXPECT_EQ(Ask(player, winamp::kPlayPosition), runs ? 0 : position) << "while the file opens again";
        now += 1;
        EXPECT_EQ(Ask(player, winamp::kPlayPosition), runs ? position + player.reopen_ms : position);
    }
    sqtest::DeleteTree(folder);
}

}  // namespace
