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

// Who the song is, as the report's rule would say: the file's tags, else the title and "No_Artist".
struct FakeIdentity : SongIdentity {
    explicit FakeIdentity(Journal& j) : journal(j) {}
    ArtistAndTrack Identify(const PlayedSong& song) override {
        journal.push_back("read tags of " + song.file.path);
        if (song.file.empty() || !tags.Complete()) return {"No_Artist", song.title};
        return tags;
    }
    Journal& journal;
    ArtistAndTrack tags{"Tag Artist", "Tag Song"};
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
    FakeIdentity tags{journal};
    FakeShell shell{journal};
    FakeTransfer transfer{journal};
    FakeEvents events{journal, transfer};
    FixedClock clock;
    FakeBoxes boxes;
    sqtest::FakeCodePage code_page;
    CountedFailures failures;
    SubmissionRun run{{display, settings, tags, shell, transfer, events, clock, boxes, code_page, failures}};
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
    SubmissionRun with_broken_settings{{display, broken, tags, shell, transfer, events, clock, boxes, code_page, failures}};
    with_broken_settings.SubmitSong(song);
    EXPECT_EQ(Query(), "?c=&p=&art=Tag%20Artist&trk=Tag%20Song") << "unreadable settings count as empty";
    EXPECT_EQ(display.response, "Thanks! Your song was submitted.");
    EXPECT_EQ(failures.count, 3) << "one trace line for each failed read: the folder, the name and the password";
}

}  // namespace
}  // namespace sq
