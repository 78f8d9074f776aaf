// The whole job through the player: simulated players load the real wrapper, play what people
// play (tagged MP3 files, files whose tags only the player reads, internet radio), pause, stop,
// skip, delete and start idle as people do, and the stand-in service (reached through this
// prefix's proxy setting) receives one POST per song played, with the song's artist and title,
// 51 seconds of play after it began. The players run side by side, and another program's window
// of the player's class, made after theirs, is the one the system finds first:
// - Winamp 5.x: an idle start, a hidden entry before the song, a look-alike file name, then a
//   pause of a minute after the report and a stop;
// - Winamp 2.x, which answers 1 to every request it lacks (3031, 214): an idle start of over 51
//   seconds and a hidden entry before the song, whose tags are read through the entry 211 names;
// - Winamp 5.x with the playlist number off: an untagged song reported by its whole title, with a
//   30-second pause before its report;
// - Winamp 5.x naming no entry itself (a player read through its playlist files): the entry after
//   one not yet played, written relative to the playlist folder, a look-alike name found through
//   Winamp.m3u8, an old playlist in the excluded folder beside the program, and a stop after the
//   report;
// - Winamp 5.x: two untagged songs whose titles differ only outside the code page, two reports;
// - Winamp 5.x: a FLAC file and an MP3 tagged only with ID3v2.4, reported with what the player read;
// - Winamp 5.x: the playing entry, in the excluded folder, deleted while it plays (not reported),
//   then a song skipped after 45 s and a stream: no status text and no address is reported, and
//   the stream's song once, split from its stream title;
// - Winamp 5.x and 2.x with their taskbar title scrolling: an untagged song reported by its whole
//   title, never a rotated piece of it, then a tagged song that plays two minutes, reported once;
// - Winamp 5.x: a station that shows its name for a minute, then a song, then "(Station)" for a
//   minute: only the song is reported;
// - Winamp 5.x: three songs written to disk through the Disk Writer, then the output set back and
//   a song played: only that song is reported;
// - Winamp 2.x: three songs skipped after 20 s each, then one played through: only that one, 51
//   seconds after it began;
// - Winamp 5.x: a song's tags fixed 20 s in (reported once, with the new tags, 51 seconds after it
//   began) and fixed again after its report (no second report);
// - Winamp 5.x: a film played 70 s, then a song: only the song;
// - Winamp 5.x: a podcast episode over HTTP, named by the ID3v2 tag its MP3 input read: reported
//   once, with its tags;
// - Winamp 5.x: an Ogg station of the Ogg input, which names no stream title: each of its two
//   songs once, no status;
// - Winamp 5.x: an M4A episode over HTTP (the MP4 input names nothing; its title is the file's
//   name): nothing.
// No 5.x player that names its playing file is asked to write its playlist.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/scope_exit.h"
#include "host_wrapper/simulated_player.h"
#include "media/mp3_bytes.h"
#include "submit/registry_override.h"
#include "stand_in_service/service.h"
#include "support/stored_settings.h"
#include "support/win_test_support.h"
#include "winamp_model/code_page_text.h"
#include "winamp_model/whole_file.h"

namespace {

using sqtest::SimulatorRun;
using sqtest::StandInPlayerFolder;

const std::wstring kSettings = sqtest::kSettingsKey;
constexpr char kThanks[] = "control window lblResponse: \"Thanks! Your song was submitted.\"";

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

LONGLONG Now() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double SecondsBetween(LONGLONG from, LONGLONG to) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to - from) / static_cast<double>(frequency.QuadPart);
}

// A report a player should cause: what its request carries, and when, in seconds of play and
// pause after its first song began.
struct Report {
    std::string query;
    double seconds;
};

// One simulated player of the run: its folder with both DLLs, and what it should report.
struct Player {
    const char* what;
    std::unique_ptr<StandInPlayerFolder> folder;
    std::string played_from;  // the log line that tells its first song began to play
    std::vector<Report> reports;
    std::wstring arguments;
    std::unique_ptr<SimulatorRun> run;
    LONGLONG playing_since = 0;

    Player(const char* description, const wchar_t* name, const std::string& playing, std::vector<Report> expected)
        : what(description), folder(new StandInPlayerFolder(name)), played_from(playing), reports(std::move(expected)) {
        for (Report& report : reports) report.query = "/index.php?c=tester&p=secret&" + report.query + " ";
        folder->AddPlugin(L"gen_sonoquill.dll");
        folder->AddPlugin(L"Sonoquill_WA.dll");
        ::CreateDirectoryW((folder->path() + L"Music").c_str(), nullptr);
    }
    // A copy of a song of the songs fixture in this player's Music folder.
    std::wstring Song(const wchar_t* fixture, const std::wstring& as) const {
        const std::wstring path = folder->path() + L"Music\\" + as;
        ::CopyFileW((sqtest::ProgramFolder() + L"..\\songs\\" + fixture).c_str(), path.c_str(), FALSE);
        return path;
    }
    // A file of this player's Music folder holding `bytes`.
    std::wstring File(const std::wstring& name, const std::string& bytes) const {
        const std::wstring path = folder->path() + L"Music\\" + name;
        return sim::WriteWholeFile(path, bytes) ? path : std::wstring();
    }
    // The folder without its final backslash, which would escape the closing quote.
    std::wstring Winamp5() const {
        return L"--profile 5 --playlist-folder " + Quoted(folder->path() + L"AppData\\Winamp") + L" ";
    }
    std::wstring PlaylistFolder() const { return folder->path() + L"AppData\\Winamp\\"; }
};

std::string Playing(int song, int of) {
    return "player: song " + std::to_string(song) + " of " + std::to_string(of) + " playing";
}

// The request's query as the code page writes a title: "?" for what it lacks.
std::string Query(const std::wstring& title) {
    std::string query = sim::EncodedText(title, CP_ACP);
    for (std::size_t at = query.find(' '); at != std::string::npos; at = query.find(' ', at)) query.replace(at, 1, "%20");
    return "art=No_Artist&trk=" + query;
}

TEST(SongSubmission, EachPlayerReportsEverySongItPlayedOnce) {
    sqtest::StandInService service;
    ASSERT_TRUE(service.ok());
    service.Answer("Success");
    sqtest::ProxyOverride proxy(service.port());
    sqtest::RegistryOverride user(HKEY_CURRENT_USER, kSettings, L"Username", std::wstring(L"tester"));
    sqtest::RegistryOverride password(HKEY_CURRENT_USER, kSettings, L"Password", std::wstring(L"secret"));
    sqtest::RegistryOverride exclude(HKEY_CURRENT_USER, kSettings, L"Exclude", std::wstring(L"C:\\Old"));
    ASSERT_NE(::GetFileAttributesW((sqtest::ProgramFolder() + L"..\\songs\\01-first.mp3").c_str()),
              INVALID_FILE_ATTRIBUTES)
        << "the songs fixture made the files";
    const std::wstring curtain = L"hidden:http://radio.example/curtain ";
    std::vector<Player> players;
    players.reserve(20);  // `files` below stays where it is
    // Each folder overrides the player's registration in turn; they give it back last first.
    sq::ScopeExit in_reverse([&] {
        while (!players.empty()) players.pop_back();
    });

    players.emplace_back("5.x: idle start, look-alike name, paused a minute after its report, then stopped",
                         L"sq_once_5", Playing(2, 2), std::vector<Report>{{"art=Demo%20Artist&trk=First%20Song", 51}});
    players.back().arguments = players.back().Winamp5() + L"--idle --start-at 2 --schedule 600 " +
                               L"--events 3=play,60=pause,120=play,122=stop --exit-after 125 " + curtain +
                               Quoted(players.back().Song(L"01-first.mp3", L"\x0141\x00F3" L"d\x017A.mp3"));

    players.emplace_back("2.x: idle for a minute, hidden entry before the song, 1 for what it lacks", L"sq_once_2",
                         Playing(2, 2), std::vector<Report>{{"art=The%20Other%20Band&trk=Second%20Song", 51}});
    players.back().arguments = L"--idle --start-at 2 --schedule 600 --events 56=play --exit-after 114 " + curtain +
                               Quoted(players.back().Song(L"02-second.mp3", L"02.mp3"));

    players.emplace_back("5.x: no playlist numbers, untagged, paused 30 s before its report", L"sq_once_title",
                         Playing(1, 1), std::vector<Report>{{"art=No_Artist&trk=Windy%20Hill%20-%20Morning", 81}});
    const std::wstring untagged = players.back().File(L"Windy Hill - Morning.mp3", std::string(4096, '\0'));
    players.back().arguments = players.back().Winamp5() + L"--no-numbers --schedule 600 --events 10=pause,40=play " +
                               L"--exit-after 95 " + Quoted(untagged);

    players.emplace_back("5.x naming no entry, read through its files, stopped after its report", L"sq_once_files",
                         Playing(2, 2), std::vector<Report>{{"art=Demo%20Artist&trk=Third%20Song", 51}});
    Player& files = players.back();
    ::CreateDirectoryW((files.folder->path() + L"AppData").c_str(), nullptr);
    ::CreateDirectoryW(files.PlaylistFolder().c_str(), nullptr);
    ::CreateDirectoryW((files.PlaylistFolder() + L"Music").c_str(), nullptr);
    const std::wstring unplayed = files.PlaylistFolder() + L"Music\\unplayed.mp3";
    ASSERT_TRUE(sim::WriteWholeFile(unplayed, std::string(4096, '\0')));
    ASSERT_TRUE(sim::WriteWholeFile(files.folder->path() + L"WINAMP.m3u",
                                    "#EXTM3U\r\n#EXTINF:1,Old\r\nC:\\Old\\1.mp3\r\n#EXTINF:1,Old\r\nC:\\Old\\2.mp3\r\n"));
    const std::wstring dvorak = files.Song(L"03-third.mp3", L"Dvo\x0159\x00E1k.mp3");
    files.arguments = files.Winamp5() + L"--no-entry-answers --relative-paths --start-at 2 --schedule 600,600 " +
                      L"--events 56=stop --exit-after 114 " + Quoted(unplayed) + L" " + Quoted(dvorak);

    // Кино - Печаль and Кино - Группа: the same "?" in a Western code page.
    const std::wstring pechal = L"\x041A\x0438\x043D\x043E - \x041F\x0435\x0447\x0430\x043B\x044C";
    const std::wstring gruppa = L"\x041A\x0438\x043D\x043E - \x0413\x0440\x0443\x043F\x043F\x0430";
    players.emplace_back("5.x: two untagged songs whose titles differ outside the code page", L"sq_once_wide",
                         Playing(1, 2), std::vector<Report>{{Query(pechal), 51}, {Query(gruppa), 111}});
    players.back().arguments = players.back().Winamp5() + L"--schedule 60,600 --exit-after 118 " +
                               Quoted(players.back().File(pechal + L".mp3", std::string(4096, '\0'))) + L" " +
                               Quoted(players.back().File(gruppa + L".mp3", std::string(4096, '\0')));

    players.emplace_back("5.x: a FLAC file and an ID3v2.4-only MP3, tags the player read", L"sq_once_tags",
                         Playing(1, 2),
                         std::vector<Report>{{"art=Flac%20Artist&trk=Flac%20Song", 51}, {"art=V24%20Artist&trk=V24%20Song", 111}});
    const std::string audio = sqtest::Frame(sq::FrameHeader{}) + sqtest::Frame(sq::FrameHeader{});
    const std::string v24 =
        sqtest::Id3v2Tag(4, sqtest::V3Frame("TIT2", "V24 Song") + sqtest::V3Frame("TPE1", "V24 Artist")) + audio;
    players.back().arguments =
        players.back().Winamp5() + L"--schedule 60,600 --exit-after 118 --tags \"Flac Artist|Flac Song\" " +
        Quoted(players.back().File(L"a.flac", "fLaC" + std::string(4092, '\0'))) +
        L" --tags \"V24 Artist|V24 Song\" " + Quoted(players.back().File(L"v24.mp3", v24));

    // The excluded entry plays 55 s, 51 of them before the report it is denied; the song after it
    // 45 s, not enough for a report of its own; the stream shows its address and its status for
    // 4 s, then its song, reported 51 s after it began.
    players.emplace_back("5.x: deleted entry in the excluded folder, a song skipped at 45 s, then a stream",
                         L"sq_once_stream", Playing(2, 4),
                         std::vector<Report>{{"art=Stream%20Artist&trk=Stream%20Song", 55 + 45 + 4 + 51}});
    players.back().arguments =
        players.back().Winamp5() + L"--start-at 2 --schedule 600,55,45,600 --events 10=delete --exit-after 168 " +
        L"--tags \"Before|Song\" C:\\Music\\before.mp3 --tags \"Excluded Artist|Excluded Song\" C:\\Old\\excluded.mp3 " +
        L"--tags \"Skipped Artist|Skipped Song\" C:\\Music\\skipped.mp3 " +
        L"--stream \"Radio X|0=Stream Artist - Stream Song\" http://radio.example/live";
    const Player& excluded_then_stream = players.back();

    // The taskbar's title rotates five times a second on both versions: 5.x names its title
    // itself (3034), 2.x is read back from the rotation.
    for (const int profile : {5, 2}) {
        const std::string n = std::to_string(profile);
        const std::wstring title = L"Scrolled Untagged " + std::to_wstring(profile);
        players.emplace_back(profile == 5 ? "5.x: title scrolling" : "2.x: title scrolling",
                             profile == 5 ? L"sq_scroll_5" : L"sq_scroll_2", Playing(1, 2),
                             std::vector<Report>{{Query(title), 51}, {"art=Scroll%20Artist&trk=Scroll%20Song%20" + n, 111}});
        Player& scrolling = players.back();
        const std::string tagged =
            sqtest::Id3v2Tag(3, sqtest::V3Frame("TIT2", "Scroll Song " + n) + sqtest::V3Frame("TPE1", "Scroll Artist")) + audio;
        scrolling.arguments = (profile == 5 ? scrolling.Winamp5() : std::wstring()) +
                              L"--scroll-title --schedule 60,600 --exit-after 180 " +
                              Quoted(scrolling.File(title + L".mp3", std::string(4096, '\0'))) + L" " +
                              Quoted(scrolling.File(L"tagged.mp3", tagged));
    }

    // The station's name for 60 s after its 4 s of connecting, its song for 52 s, then
    // "(Radio Y)" for 60 s.
    players.emplace_back("5.x: a station's name, a song, then a station break", L"sq_station", Playing(1, 1),
                         std::vector<Report>{{"art=Station%20Artist&trk=Station%20Song", 4 + 60 + 51}});
    players.back().arguments = players.back().Winamp5() + L"--schedule 600 --exit-after 180 " +
                               L"--stream \"Radio Y|60=Station Artist - Station Song|112=\" http://radio.example/station";

    // At ten times the clock each song is written in 18 s; the three take 54 s, more than a
    // report needs. The output is set back while the fourth is written, and it plays from its start.
    players.emplace_back("5.x: three songs written through the Disk Writer, then one played", L"sq_disk_writer",
                         Playing(1, 4), std::vector<Report>{{"art=Heard%20Artist&trk=Heard%20Song", 59 + 51}});
    players.back().arguments = players.back().Winamp5() +
                               L"--output out_disk.dll --disk-speed 10 --schedule 180,180,180,600 " +
                               L"--events 57=stop,58=output:out_ds.dll,59=play --exit-after 120 " +
                               L"--tags \"Disk Artist|Disk Song 1\" C:\\Music\\disk1.mp3 " +
                               L"--tags \"Disk Artist|Disk Song 2\" C:\\Music\\disk2.mp3 " +
                               L"--tags \"Disk Artist|Disk Song 3\" C:\\Music\\disk3.mp3 " +
                               L"--tags \"Heard Artist|Heard Song\" C:\\Music\\heard.mp3";

    // Next twice, 20 s into a song each time, then a song that ends after 20 s: the fourth is the
    // only one played 51 s, and its count starts when it does.
    players.emplace_back("2.x: three songs skipped after 20 s each, then one played through", L"sq_skips",
                         Playing(1, 4), std::vector<Report>{{"art=Kept%20Artist&trk=Kept%20Song", 60 + 51}});
    players.back().arguments = L"--schedule 600,600,20,600 --events 20=next,40=next --exit-after 125 "
                               L"--tags \"Skipped Artist|Skipped One\" C:\\Music\\skipped1.mp3 "
                               L"--tags \"Skipped Artist|Skipped Two\" C:\\Music\\skipped2.mp3 "
                               L"--tags \"Skipped Artist|Skipped Three\" C:\\Music\\skipped3.mp3 "
                               L"--tags \"Kept Artist|Kept Song\" C:\\Music\\kept.mp3";

    // The song's ID3v1 tag is fixed 20 s in and again after its report: the player rewrites the
    // file and plays it on from where it was (its position 0 for a moment), under a new title.
    players.emplace_back("5.x: a song's tags fixed 20 s in and again after its report", L"sq_retag", Playing(1, 2),
                         std::vector<Report>{{"art=Fixed%20Artist&trk=Fixed%20Title", 51}});
    sqtest::Id3v1 typo;
    typo.title = "Tpyo Title";
    typo.artist = "Typo Artist";
    players.back().arguments = players.back().Winamp5() + L"--schedule 150,600 --reopen-ms 1500 " +
                               L"--events \"20=retag:Fixed Artist|Fixed Title,80=retag:Fixed Artist|Fixed Again\" " +
                               L"--exit-after 140 " + Quoted(players.back().File(L"typo.mp3", audio + typo.Encode())) +
                               L" --tags \"Next Artist|Next Song\" C:\\Music\\next.mp3";

    // The tag is read 2 s after the connection began (second 1): the episode's title shows from
    // second 3, and plays as a file does.
    players.emplace_back("5.x: a podcast episode over HTTP", L"sq_podcast", Playing(1, 1),
                         std::vector<Report>{{"art=Podcast%20Author&trk=Episode%2042", 3 + 51}});
    players.back().arguments = players.back().Winamp5() + L"--schedule 600 --exit-after 70 " +
                               L"--id3v2 \"2=Podcast Author|Episode 42\" http://media.example/podcast/episode.mp3";

    // The first data at second 4; the second link 60 s after it.
    players.emplace_back("5.x: an Ogg station's two songs", L"sq_ogg", Playing(1, 1),
                         std::vector<Report>{{"art=Ogg%20Artist&trk=First%20Link", 4 + 51},
                                             {"art=Ogg%20Artist&trk=Second%20Link", 4 + 60 + 51}});
    players.back().arguments = players.back().Winamp5() + L"--schedule 600 --exit-after 128 " +
                               L"--ogg-links \"0=Ogg Artist - First Link|60=Ogg Artist - Second Link\" " +
                               L"http://radio.example/live.ogg";

    players.emplace_back("5.x: an M4A episode over HTTP", L"sq_m4a", Playing(1, 1), std::vector<Report>{});
    players.back().arguments =
        players.back().Winamp5() + L"--schedule 600 --exit-after 70 http://media.example/podcast/episode.m4a";

    players.emplace_back("5.x: a film played 70 s, then a song", L"sq_film", Playing(1, 2),
                         std::vector<Report>{{"art=Song%20Artist&trk=Song%20Title", 70 + 51}});
    players.back().arguments = players.back().Winamp5() + L"--schedule 70,600 --exit-after 135 " +
                               L"--video C:\\Films\\holiday.avi --tags \"Song Artist|Song Title\" C:\\Music\\song.mp3";

    // The players start together; the other program's window comes once they all run, and the
    // moment each song begins to play is taken from the players' logs as it happens.
    for (Player& player : players) player.run = std::make_unique<SimulatorRun>(*player.folder, player.arguments);
    std::unique_ptr<sqtest::ForeignPlayerWindow> foreign;
    int running = static_cast<int>(players.size());
    sqtest::PumpMessagesUntil(
        [&] {
            running = 0;
            int loaded = 0;
            for (Player& player : players) {
                const std::string log = player.run->Log();
                if (!player.playing_since && log.find(player.played_from) != std::string::npos)
                    player.playing_since = Now();
                if (log.find("plug-in gen_sonoquill.dll: init returned") != std::string::npos) ++loaded;
                if (player.run->Wait(0) == -1) ++running;
            }
            if (!foreign && loaded == static_cast<int>(players.size())) {
                foreign = std::make_unique<sqtest::ForeignPlayerWindow>();
                EXPECT_EQ(::FindWindowW(L"Winamp v1.x", nullptr), foreign->hwnd()) << "made last, it is found first";
            }
            return running == 0;
        },
        240000);
    ASSERT_EQ(running, 0) << "the players did not all end";
    ASSERT_TRUE(foreign && foreign->hwnd());

    const std::vector<sqtest::ReceivedRequest> requests = service.Requests();
    for (const sqtest::ReceivedRequest& request : requests) {
        EXPECT_EQ(request.request_line.find("Foreign"), std::string::npos) << "the other program's song went out";
    }
    std::size_t expected = 0;
    for (Player& player : players) {
        SCOPED_TRACE(player.what);
        const std::string log = player.run->Log();
        EXPECT_EQ(player.run->Wait(0), 0) << log;
        std::vector<double> arrivals;
        std::vector<double> due;
        for (const Report& report : player.reports) due.push_back(report.seconds);
        for (const sqtest::ReceivedRequest& request : requests) {
            const auto ours = [&](const Report& report) { return request.request_line.find(report.query) != std::string::npos; };
            if (std::none_of(player.reports.begin(), player.reports.end(), ours)) continue;
            EXPECT_EQ(request.request_line.rfind("POST http://www.sonoquill.net", 0), 0u) << request.request_line;
            EXPECT_EQ(request.Header("oquill_Protocol"), "SNQP1.0");
            EXPECT_EQ(request.Header("oquill_Client"), "wa");
            EXPECT_EQ(request.Header("oquill_ID"), "730241");
            EXPECT_EQ(request.Header("oquill_Version"), "1.0.61");
            ASSERT_NE(player.playing_since, 0);
            arrivals.push_back(SecondsBetween(player.playing_since, request.arrived_at));
        }
        ASSERT_EQ(arrivals.size(), due.size()) << "one report per song played:\n" << log;
        for (std::size_t i = 0; i < due.size(); ++i) {
            EXPECT_GE(arrivals[i], due[i] - 4) << "reported too early";
            EXPECT_LE(arrivals[i], due[i] + 10) << "reported too late";
        }
        expected += due.size();
        if (!due.empty()) {
            EXPECT_NE(log.find(kThanks), std::string::npos) << log;
        }
        if (player.arguments.find(L"--profile 5") != std::wstring::npos &&
            player.arguments.find(L"--no-entry-answers") == std::wstring::npos) {
            EXPECT_EQ(log.find("player: request 120"), std::string::npos) << "the playlist written:\n" << log;
        }
    }
    EXPECT_EQ(requests.size(), expected) << "a report of something not played";
    EXPECT_NE(players[1].run->Log().find("request 3031 (wParam 0): 1, not implemented"), std::string::npos);
    EXPECT_NE(excluded_then_stream.run->Log().find("Song was in the excludes list"), std::string::npos);
    for (const sqtest::ReceivedRequest& request : requests) {
        for (const char* not_a_song :
             {"radio.example", "%5B", "[", "Excluded", "Skipped", "Radio%20Y", "Disk", "***", "%2A", "Typo", "Tpyo",
              "Again", "holiday", "media.example", "episode", "Connecting", "Prebuffering"})
            EXPECT_EQ(request.request_line.find(not_a_song), std::string::npos) << request.request_line;
    }
    // A plug-in whose player has closed follows the only window there is, but reads none of its pointers.
    for (const char* pointer : {"request 211", "request 214", "request 337", "request 338"}) {
        EXPECT_EQ(foreign->Log().find(pointer), std::string::npos) << foreign->Log();
    }

    // The files the default install read: the unplayed entry relative to the playlist folder and
    // without an information line, the playing one without its drive and, in the code page, with
    // look-alikes for what it lacks.
    const std::string written = sqtest::ReadWholeFile(files.PlaylistFolder() + L"Winamp.m3u");
    EXPECT_EQ(written.substr(0, 31), "#EXTM3U\r\nMusic\\unplayed.mp3\r\n#E") << written;
    EXPECT_NE(written.find("\r\n" + sim::EncodedText(dvorak.substr(2), CP_ACP) + "\r\n"), std::string::npos) << written;
}

}  // namespace
