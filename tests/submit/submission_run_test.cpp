// The submission run's decisions, with every link it talks through replaced by a fake that
// writes what it was asked into one journal.
#include "submit/submission_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

#include "common/fake_code_page.h"
#include "submit/exclusion.h"
#include "submit/response.h"

namespace sq {
namespace {

using Journal = std::vector<std::string>;

struct FakeDisplay : StatusDisplay {
    std::string response = "No data sent yet.", time = "No time reported.", connection = "Not Connected.";
    void ShowResponse(const std::string& text) override { response = text; }
    void ShowResponseTime(const std::string& stamp) override { time = stamp; }
    void ShowConnection(const std::string& text) override { connection = text; }
};

struct FakeSettings : SettingsReader {
    explicit FakeSettings(Journal& j) : journal(j) {}
    std::string Read(const char* key) override {
        journal.push_back(std::string("read ") + key);
        return values[key];
    }
    Journal& journal;
    std::map<std::string, std::string> values{{"Username", "anna"}, {"Password", "pw"}};
};

struct FakeShell : AddressOpener {
    explicit FakeShell(Journal& j) : journal(j) {}
    void OpenAddress(const std::string& address) override { journal.push_back("open " + address); }
    Journal& journal;
};

struct FakeTags : TagSource {
    explicit FakeTags(Journal& j) : journal(j) {}
    SongTags Read(const PlayingFile& file) override {
        journal.push_back("read tags of " + file.path);
        if (fail || file.path.empty()) throw std::runtime_error("unreadable");
        return tags;
    }
    Journal& journal;
    SongTags tags{"Tag Song", "Tag Artist"};
    bool fail = false;
};

// What the player knows of the files it names; every ask is journalled.
struct FakePlayerTags : PlayerTagSource {
    explicit FakePlayerTags(Journal& j) : journal(j) {}
    PlayerTags Read(const PlayingFile& file) override {
        journal.push_back("player's tags of " + file.path);
        return known[file.path];
    }
    Journal& journal;
    std::map<std::string, PlayerTags> known;
};

// Answers after the run has waited `waits` times, raising the states a transfer goes through.
struct FakeTransfer : Transfer {
    explicit FakeTransfer(Journal& j) : journal(j) {}
    void SetStateChangedHandler(StateChangedHandler handler) override { on_state = std::move(handler); }
    void SetURL(const std::string& address) override { url = address; }
    bool Execute(const std::string& operation, const std::string& data, const std::string& headers) override {
        journal.push_back(operation + " " + url + (data.empty() ? "" : " with a body"));
        last_headers = headers;
        executing = true;
        waited = 0;
        return true;
    }
    bool StillExecuting() const override { return executing; }
    std::string GetChunk(size_t size) override { return answer.substr(0, size); }
    void Cancel() override {
        journal.push_back("cancel");
        executing = false;
    }
    void OneWait() {
        if (!executing || ++waited < waits) return;
        for (int16_t state : {4, 8}) on_state(state);
        executing = false;
        on_state(12);
    }
    Journal& journal;
    StateChangedHandler on_state;
    std::string url, last_headers, answer = "Success";
    int waits = 2, waited = 0;
    bool executing = false;
};

struct FakeEvents : EventLoop {
    FakeEvents(Journal& j, FakeTransfer& t) : journal(j), transfer(t) {}
    void DoEvents() override { journal.push_back("do events"); }
    void WaitForEvents() override {
        if (during_wait) during_wait();
        transfer.OneWait();
    }
    bool QuitRequested() const override { return quit; }
    Journal& journal;
    FakeTransfer& transfer;
    std::function<void()> during_wait;
    bool quit = false;
};

struct FakeBoxes : MessageBoxes {
    void Show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

struct FixedClock : Clock {
    LocalTime Now() const override { return {9, 5}; }
};

struct CountedFailures : FailureTrace {
    void Trace(const wchar_t*) noexcept override { ++count; }
    int count = 0;
};

class SubmissionRunTest : public ::testing::Test {
protected:
    std::string Query() const {
        const size_t at = transfer.url.find('?');
        return at == std::string::npos ? "" : transfer.url.substr(at);
    }

    // What the tick that ended the countdown read.
    PlayedSong song{"Player Artist - Player Title", {"C:\\Music\\song.mp3", ""}, {}};

    Journal journal;
    FakeDisplay display;
    FakeSettings settings{journal};
    FakeTags tags{journal};
    FakePlayerTags player_tags{journal};
    FakeShell shell{journal};
    FakeTransfer transfer{journal};
    FakeEvents events{journal, transfer};
    FixedClock clock;
    FakeBoxes boxes;
    sqtest::FakeCodePage code_page;
    CountedFailures failures;
    SubmissionRun run{{display, settings, tags, player_tags, shell, transfer, events, clock, boxes, code_page, failures}};
};

TEST_F(SubmissionRunTest, TaggedSongIsSentAndTheAnswerShownWithItsTime) {
    run.SubmitSong(song);
    EXPECT_EQ(journal, (Journal{"read Exclude", "read Username", "read Password", "do events", "read tags of C:\\Music\\song.mp3",
                                "POST http://www.sonoquill.net/index.php?c=anna&p=pw&art=Tag%20Artist&trk=Tag%20Song"}));
    EXPECT_EQ(transfer.last_headers,
              "oquill_Protocol: SNQP1.0\r\noquill_Client: wa\r\noquill_ID: 730241\r\noquill_Version: 1.0.61");
    EXPECT_EQ(display.response, "Thanks! Your song was submitted.");
    EXPECT_EQ(display.time, "09:05");
    EXPECT_EQ(display.connection, "Response Completed.");
}

// C:\Music covers C:\MUSIC\Live and C:\Music2 alike: the start of the text, without regard to case.
TEST_F(SubmissionRunTest, SongInTheExcludedFolderIsNotSent) {
    settings.values["Exclude"] = "C:\\Music";
    for (const char* path : {"c:\\MUSIC\\Live\\a.mp3", "C:\\Music2\\b.mp3"}) {
        journal.clear();
        display.time.clear();
        song.file.path = path;
        run.SubmitSong(song);
        EXPECT_EQ(journal, (Journal{"read Exclude"})) << path;
        EXPECT_EQ(display.response, kExcludedNotice);
        EXPECT_EQ(display.time, "09:05");
    }
}

TEST_F(SubmissionRunTest, ExcludedFolderWithNoKnownPlayingFileStillSends) {
    settings.values["Exclude"] = "C:\\";
    song.file = {};
    run.SubmitSong(song);
    EXPECT_EQ(Query(), "?c=anna&p=pw&art=No_Artist&trk=Player%20Artist%20-%20Player%20Title");
}

// Either half of the tags missing, or a file that cannot be read: the player's title, "No_Artist".
TEST_F(SubmissionRunTest, MissingTagsFallBackToThePlayersTitle) {
    const SongTags halves[] = {{"Lonely Title", ""}, {"", "Lonely Artist"}, {"", ""}};
    for (const SongTags& half : halves) {
        tags.tags = half;
        run.SubmitSong(song);
        EXPECT_EQ(Query(), "?c=anna&p=pw&art=No_Artist&trk=Player%20Artist%20-%20Player%20Title");
    }
    tags.fail = true;
    song.title.clear();
    run.SubmitSong(song);
    EXPECT_EQ(Query(), "?c=anna&p=pw&art=No_Artist&trk=") << "an empty title is sent as it is";
}

// Taggers write UTF-16 with a byte-order mark and may end a text with a NUL: the service gets the
// same 8-bit text a Latin-1 tag gives it, and a text that is empty after this falls back.
TEST_F(SubmissionRunTest, TagTextIsDecodedAndCutAtItsFirstNul) {
    using namespace std::string_literals;
    const std::pair<SongTags, std::string> rows[] = {
        {{"\xFF\xFES\0o\0n\0g\0\0\0j\0"s, "\xFE\xFF\0C\0\xE9\x20\xAC"s}, "art=C\xE9?&trk=Song"},
        {{"Song\0junk"s, "Band"}, "art=Band&trk=Song"},
        {{"\xFF\xFE\0\0"s, "Band"}, "art=No_Artist&trk=Player%20Artist%20-%20Player%20Title"},
    };
    for (const auto& [raw, query] : rows) {
        tags.tags = raw;
        run.SubmitSong(song);
        EXPECT_EQ(Query().substr(Query().find("&art=") + 1), query);
    }
}

TEST_F(SubmissionRunTest, EachKindOfAnswerIsCarriedOut) {
    transfer.answer = "Alert_Box Watch out";
    run.SubmitSong(song);
    EXPECT_EQ(boxes.shown, (std::vector<std::string>{"Watch out"}));
    EXPECT_EQ(display.response, "No data sent yet.") << "a box leaves the response label alone";
    EXPECT_EQ(display.time, "No time reported.");

    transfer.answer = "URL http://www.sonoquill.net/upgrade";
    run.SubmitSong(song);
    EXPECT_EQ(journal.back(), "open http://www.sonoquill.net/upgrade");
    EXPECT_EQ(display.response, "No data sent yet.");

    transfer.answer = "Msg Hello Msg World";
    run.SubmitSong(song);
    EXPECT_EQ(display.response, "Hello World");
    EXPECT_EQ(display.time, "09:05");

    transfer.answer = "";
    run.SubmitSong(song);
    EXPECT_EQ(display.response, protocol::kUnknownResponse);
}

// A countdown that runs out during the wait asks for a run inside the run: it waits its turn,
// and two such asks give one run, of the song asked for last.
TEST_F(SubmissionRunTest, RunAskedForDuringTheWaitRunsOnceAfterTheFirst) {
    transfer.answer = "Msg one";
    bool asked = false;
    events.during_wait = [&] {
        if (asked) return;
        asked = true;
        run.SubmitSong({"Second", {}, {}});
        run.SubmitSong({"Third", {}, {}});
        journal.push_back("nested asks done");
    };
    tags.tags = {"", ""};
    run.SubmitSong(song);
    Journal posts;
    for (const std::string& line : journal)
        if (line.rfind("POST", 0) == 0) posts.push_back(line.substr(line.find("trk=")));
        else if (line == "nested asks done") posts.push_back(line);
    EXPECT_EQ(posts, (Journal{"trk=Player%20Artist%20-%20Player%20Title", "nested asks done", "trk=Third"}))
        << "the nested ask started nothing while the first waited";
    EXPECT_EQ(display.response, "one");
}

// A file whose tags clsMP3 cannot read (FLAC, M4A, ID3v2.4, a CD track) goes out with the artist
// and title the player knows of it; only a pair counts. The title falls back in wide form, turned
// into the code page only for the request, so titles outside it reach the service as "?".
TEST_F(SubmissionRunTest, UntaggedFileGoesOutWithWhatThePlayerKnowsElseItsTitle) {
    tags.tags = {"", ""};
    song.file = {"C:\\Music\\a.flac", ""};
    player_tags.known["C:\\Music\\a.flac"] = {"Bj\xc3\xb6rk", "J\xc3\xb3ga"};
    run.SubmitSong(song);
    EXPECT_EQ(Query(), "?c=anna&p=pw&art=Bj\xf6rk&trk=J\xf3ga");

    player_tags.known.clear();
    song.title = "\xd0\x9a\xd0\xb8\xd0\xbd\xd0\xbe - \xd0\x9f\xd0\xb5\xd1\x87\xd0\xb0\xd0\xbb\xd1\x8c";  // Кино - Печаль
    run.SubmitSong(song);
    EXPECT_EQ(Query(), "?c=anna&p=pw&art=No_Artist&trk=????%20-%20??????");
}

TEST_F(SubmissionRunTest, StreamGoesOutWithItsStreamTitleAndIsNeverReadAsAFile) {
    const std::pair<ArtistAndTrack, std::string> rows[] = {
        {{"Band", "Song"}, "art=Band&trk=Song"},
        {{"", "Station Jingle"}, "art=No_Artist&trk=Station%20Jingle"},
        {{"", ""}, "art=No_Artist&trk=Band%20-%20Song%20(Radio%20X)"},
    };
    for (const auto& [stream, query] : rows) {
        journal.clear();
        run.SubmitSong({"Band - Song (Radio X)", {"http://radio.example/live", ""}, stream});
        EXPECT_EQ(Query(), "?c=anna&p=pw&" + query) << stream.track;
        for (const std::string& line : journal) EXPECT_EQ(line.find("tags of"), std::string::npos) << line;
    }
}

TEST_F(SubmissionRunTest, QuitDuringTheWaitGivesTheRequestUpAndShowsNothing) {
    events.during_wait = [&] {
        run.SubmitSong(song);  // a deferred run must not start after a quit either
        events.quit = true;
    };
    run.SubmitSong(song);
    EXPECT_EQ(journal.back(), "cancel");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "read Exclude"), 1);
    EXPECT_EQ(display.response, "No data sent yet.");
}

TEST_F(SubmissionRunTest, FailingLinksAreSkipped) {
    struct ThrowingSettings : SettingsReader {
        std::string Read(const char*) override { throw std::bad_alloc(); }
    } broken;
    SubmissionRun with_broken_settings{{display, broken, tags, player_tags, shell, transfer, events, clock, boxes, code_page, failures}};
    with_broken_settings.SubmitSong(song);
    EXPECT_EQ(Query(), "?c=&p=&art=Tag%20Artist&trk=Tag%20Song") << "unreadable settings count as empty";
    EXPECT_EQ(display.response, "Thanks! Your song was submitted.");
    EXPECT_EQ(failures.count, 3) << "one trace line for each failed read: the folder, the name and the password";
}

}  // namespace
}  // namespace sq
