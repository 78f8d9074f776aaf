// SubmitSong end to end: frmMain with its real labels, the player's window (the model, in this
// process) with a playlist and a registration, the stand-in service reached through the system proxy, the shell's http handler
// replaced by a recorder. Every run is started as the countdown starts it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "media/mp3_bytes.h"
#include "submit/registry_override.h"
#include "stand_in_service/service.h"
#include "support/stored_settings.h"
#include "support/win_test_support.h"
#include "common/win32_ansi_text.h"
#include "ui/win32_frm_main.h"
#include "winamp_model/player_window.h"

namespace sq {
namespace {

using sqtest::ServiceScript;

constexpr char kSongTitle[] = "Player Artist - Player Title";
constexpr char kUnknown[] = "Sonoquill returned an unknown response.";
using sqtest::kSettingsKey;

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += static_cast<char>(c);
    return s;
}

std::string TempFolder() {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "sq_submit_" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string StampNow() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    char text[8];
    std::snprintf(text, sizeof text, "%02u:%02u", t.wHour % 100u, t.wMinute % 100u);
    return text;
}

// Counts the thread's own timer ticks, which only arrive while someone dispatches messages.
class TickCounter {
public:
    TickCounter() {
        instance_ = this;
        id_ = ::SetTimer(nullptr, 0, 100, &TickCounter::OnTick);
    }
    ~TickCounter() {
        ::KillTimer(nullptr, id_);
        instance_ = nullptr;
    }
    int ticks = 0;
    std::function<void()> on_tick;

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
        if (!instance_) return;
        ++instance_->ticks;
        if (instance_->on_tick) instance_->on_tick();
    }
    static inline TickCounter* instance_ = nullptr;
    UINT_PTR id_ = 0;
};

// Closes the first message box titled "Sonoquill" that appears and keeps its text.
class MessageBoxCloser {
public:
    MessageBoxCloser() {
        thread_ = std::thread([this] {
            for (int i = 0; i < 300 && !stop_; ++i) {
                HWND box = ::FindWindowW(L"#32770", L"Sonoquill");
                if (box) {
                    text = Narrow(sqtest::WindowText(::GetDlgItem(box, 0xFFFF)));
                    has_ok_only = ::GetDlgItem(box, IDOK) != nullptr && ::GetDlgItem(box, IDCANCEL) == nullptr &&
                                  ::GetDlgItem(box, IDYES) == nullptr;
                    ::Sleep(300);  // ticks go on while the box is open
                    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                    closed = true;
                    return;
                }
                ::Sleep(50);
            }
        });
    }
    ~MessageBoxCloser() {
        stop_ = true;
        thread_.join();
    }
    std::string text;
    bool has_ok_only = false;
    std::atomic<bool> closed{false};

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class SubmitSongTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_HRESULT_SUCCEEDED(frmMain::Instance().Load()); }

    void SetUp() override {
        ASSERT_TRUE(service_.ok());
        ASSERT_TRUE(player_.hwnd());
        WriteFile(untagged_, std::string(4096, '\0'));
        player_.playlist_folder = WideFromAnsi(folder_);
        player_.Add({WideFromAnsi(folder_ + "other.mp3")});
        Play(untagged_);
        ::DeleteFileW((sqtest::ProgramFolder() + L"url_recorder.log").c_str());
        // Nested ticks see the submitted title and only refill the counter.
        form().CountdownForTesting().LastPlayed = kSongTitle;
        form().SetControlText(IDC_LBL_RESPONSE, "No data sent yet.");
        form().SetControlText(IDC_LBL_LAST_TIME, "No time reported.");
    }

    // The file plays as the second entry; the player knows its title, the file may have none.
    void Play(const std::string& path) {
        while (player_.entries().size() > 1) player_.Delete(1);
        player_.Add({WideFromAnsi(path), L"Player Artist", L"Player Title"});
        player_.Play(1);
    }

    static frmMain& form() { return frmMain::Instance(); }
    static std::string Label(int id) { return form().ControlText(id); }

    // The countdown's own way in: a countdown that has reported nothing of this play, the tick on
    // which it starts counting the play, and the tick on which the counter runs out.
    void SubmittingTick() {
        form().CountdownForTesting() = Countdown{};
        form().CountdownForTesting().LastPlayed = "a title shown before";
        form().tmrCountDown_Timer();
        form().CountdownForTesting().lngCounter = 0;
        form().tmrCountDown_Timer();
    }

    std::string RecordedUrls() { return ReadFile(Narrow(sqtest::ProgramFolder()) + "url_recorder.log"); }

    std::string folder_ = TempFolder();
    std::string untagged_ = folder_ + "untagged song.mp3";
    sqtest::StandInService service_;
    sqtest::ProxyOverride proxy_{service_.port()};
    sim::PlayerWindow player_;
    sqtest::RegistryOverride player_registration_{HKEY_CLASSES_ROOT, L"WinAmp.File\\shell\\play\\command", nullptr,
                                                  L"\"" + std::wstring(folder_.begin(), folder_.end()) +
                                                      L"winamp.exe\" \"%1\""};
    std::wstring recorder_command_ = L"\"" + sqtest::ProgramFolder() + L"url_recorder.exe\" \"%1\"";
    sqtest::RegistryOverride http_handler_{HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr, recorder_command_};
    sqtest::RegistryOverride https_handler_{HKEY_CLASSES_ROOT, L"https\\shell\\open\\command", nullptr, recorder_command_};
    sqtest::RegistryOverride username_{HKEY_CURRENT_USER, kSettingsKey, L"Username", std::wstring(L"anna b")};
    sqtest::RegistryOverride password_{HKEY_CURRENT_USER, kSettingsKey, L"Password", std::wstring(L"p&ss#1")};
    sqtest::RegistryOverride exclude_{HKEY_CURRENT_USER, kSettingsKey, L"Exclude", std::wstring()};
};

// The file has no tags clsMP3 reads; the player has read the song's artist and title itself.
TEST_F(SubmitSongTest, UntaggedFileSendsTheArtistAndTitleThePlayerRead) {
    service_.Answer("Success");
    SubmittingTick();
    ASSERT_EQ(service_.RequestCount(), 1u);
    const sqtest::ReceivedRequest got = service_.Requests()[0];
    std::string line = got.request_line;
    if (const size_t port = line.find("sonoquill.net:80/"); port != std::string::npos) line.erase(port + 13, 3);
    EXPECT_EQ(line,
              // WinINet writes the raw space of the user name as %20: a request line cannot hold it.
              "POST http://www.sonoquill.net/index.php?c=anna%20b&p=p&ss#1&art=Player%20Artist"
              "&trk=Player%20Title HTTP/1.1");
    EXPECT_EQ(got.Header("oquill_Protocol"), "SNQP1.0");
    EXPECT_EQ(got.Header("oquill_Client"), "wa");
    EXPECT_EQ(got.Header("oquill_ID"), "730241");
    EXPECT_EQ(got.Header("oquill_Version"), "1.0.61");
    EXPECT_TRUE(got.body.empty());
    EXPECT_EQ(Label(IDC_LBL_RESPONSE), "Thanks! Your song was submitted.");
    EXPECT_EQ(Label(IDC_LBL_CONNECTED), "Response Completed.");
    EXPECT_EQ(Label(IDC_LBL_TIME), "50 sec");
}

// The playing file's tags, read from the real file, name the song (which half missing falls back
// to what is decided by the run and tested with it).
TEST_F(SubmitSongTest, TagsOfThePlayingFileNameTheSong) {
    const std::string audio = sqtest::Frame(sq::FrameHeader{}) + sqtest::Frame(sq::FrameHeader{});
    sqtest::Id3v1 both;
    both.title = "Tag Song";
    both.artist = "Tag Artist";
    const std::string v2 = sqtest::Id3v2Tag(3, sqtest::V3Frame("TIT2", "V2 Song") + sqtest::V3Frame("TPE1", "V2 Artist"));
    using namespace std::string_literals;
    // Today's taggers: UTF-16 with a byte-order mark, a text ended by a NUL.
    const std::string utf16 = sqtest::Id3v2Tag(
        3, sqtest::V3Frame("TIT2", "Song\0"s) + sqtest::V3Frame("TPE1", "\xFF\xFEU\0t\0f\0 \0B\0a\0n\0d\0\0\0"s));
    const std::pair<std::string, std::string> rows[] = {
        {audio + both.Encode(), "art=Tag%20Artist&trk=Tag%20Song"},
        {v2 + audio, "art=V2%20Artist&trk=V2%20Song"},
        {utf16 + audio, "art=Utf%20Band&trk=Song"},
    };
    service_.Answer("Success");
    size_t n = 0;
    for (const auto& [bytes, query] : rows) {
        const std::string path = folder_ + "song " + std::to_string(n) + ".mp3";
        WriteFile(path, bytes);
        Play(path);
        SubmittingTick();
        ASSERT_EQ(service_.RequestCount(), ++n);
        EXPECT_NE(service_.Requests().back().request_line.find(query + " HTTP/1.1"), std::string::npos)
            << service_.Requests().back().request_line;
    }
    // A file that cannot be read: what the player read of it.
    Play(folder_ + "gone.mp3");
    SubmittingTick();
    ASSERT_EQ(service_.RequestCount(), n + 1);
    EXPECT_NE(service_.Requests().back().request_line.find("art=Player%20Artist&trk=Player%20Title"), std::string::npos);
}

// Every answer's text is chosen by the response table and its tests; here the real label and
// its time stamp take it.
TEST_F(SubmitSongTest, StatusAnswerReachesTheResponseLabelAndStampsTheTime) {
    const std::pair<const char*, const char*> rows[] = {
        {"Bad_Login", "Your username or password are incorrect."},
        {"Msg Hello Msg World", "Hello World"},
        {"", kUnknown},
    };
    for (const auto& [answer, shown] : rows) {
        form().SetControlText(IDC_LBL_LAST_TIME, "No time reported.");
        service_.Answer(answer);
        const std::string before = StampNow();
        SubmittingTick();
        const std::string after = StampNow();
        EXPECT_EQ(Label(IDC_LBL_RESPONSE), shown) << '"' << answer << '"';
        const std::string stamp = Label(IDC_LBL_LAST_TIME);
        EXPECT_TRUE(stamp == before || stamp == after) << stamp;
    }
    EXPECT_EQ(service_.RequestCount(), std::size(rows));
}

TEST_F(SubmitSongTest, MessageBoxAnswerShowsABoxAndLeavesTheLabelsAlone) {
    for (const char* answer : {"Alert_Box Watch out Alert_Box now", "Question_Box Really?"}) {
        service_.Answer(answer);
        MessageBoxCloser closer;
        TickCounter ticks;
        SubmittingTick();
        EXPECT_TRUE(closer.closed) << answer;
        EXPECT_EQ(closer.text, std::string(answer).find("Alert") == 0 ? "Watch out now" : "Really?");
        EXPECT_TRUE(closer.has_ok_only);
        EXPECT_GE(ticks.ticks, 2) << "the thread stopped dispatching while the box was open";
        EXPECT_EQ(Label(IDC_LBL_RESPONSE), "No data sent yet.");
        EXPECT_EQ(Label(IDC_LBL_LAST_TIME), "No time reported.");
    }
}

TEST_F(SubmitSongTest, WebAddressAnswerGoesToTheShellsHttpHandler) {
    service_.Answer("URL HTTP://www.sonoquill.net/upgrade?from=1.0.61");
    SubmittingTick();
    ASSERT_TRUE(sqtest::PumpMessagesUntil([this] { return !RecordedUrls().empty(); }, 15000))
        << "the recorder registered as the http handler was not started";
    EXPECT_EQ(RecordedUrls(), "HTTP://www.sonoquill.net/upgrade?from=1.0.61\n");
    EXPECT_EQ(Label(IDC_LBL_RESPONSE), "No data sent yet.");
    EXPECT_EQ(Label(IDC_LBL_LAST_TIME), "No time reported.");
}

TEST_F(SubmitSongTest, AnswerNamingAProgramOrFileIsNotHandedToTheShell) {
    const std::string recorder = Narrow(sqtest::ProgramFolder()) + "url_recorder.exe";
    for (const std::string& answer : {"URL " + recorder, "URL file:///" + recorder, "URL " + folder_}) {
        service_.Answer(answer);
        SubmittingTick();
        EXPECT_EQ(Label(IDC_LBL_RESPONSE), kUnknown) << answer;
    }
    sqtest::PumpMessagesFor(2000);
    EXPECT_EQ(RecordedUrls(), "") << "a program was started from the service's answer";
}

TEST_F(SubmitSongTest, ExcludedFolderSendsNothingAndStampsTheTime) {
    std::string upper = folder_.substr(0, folder_.size() - 1);
    for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    sqtest::RegistryOverride exclude(HKEY_CURRENT_USER, kSettingsKey, L"Exclude", std::wstring(upper.begin(), upper.end()));
    service_.Answer("Success");
    const std::string before = StampNow();
    SubmittingTick();
    const std::string after = StampNow();
    EXPECT_EQ(service_.RequestCount(), 0u);
    EXPECT_EQ(Label(IDC_LBL_RESPONSE), "Song was in the excludes list. Song was not submitted.");
    const std::string stamp = Label(IDC_LBL_LAST_TIME);
    EXPECT_TRUE(stamp == before || stamp == after) << stamp;
}

// Winamp 5.x, its playlist in its own folder: a song whose name the code page cannot hold is read
// by its real name and excluded by its real folder.
TEST_F(SubmitSongTest, PathOutsideTheCodePageIsReadAndExcludedByItsFolder) {
    const std::wstring name = L"\x65E5\x672C.mp3";
    if (sq::AnsiFromWide(name).find('?') == std::string::npos) GTEST_SKIP() << "the code page holds the name";
    player_.Close();
    const std::wstring folder = std::wstring(folder_.begin(), folder_.end()) + L"w5\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring song = folder + name;
    sqtest::Id3v1 tag;
    tag.title = "Wide Song";
    tag.artist = "Wide Artist";
    const std::string bytes = sqtest::Frame(sq::FrameHeader{}) + sqtest::Frame(sq::FrameHeader{}) + tag.Encode();
    HANDLE file = ::CreateFileW(song.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    sim::PlayerWindow winamp5(sim::Winamp5());
    winamp5.playlist_folder = folder;
    winamp5.Add({song, L"", L"Wide"});
    winamp5.Play(0);

    service_.Answer("Success");
    SubmittingTick();
    ASSERT_EQ(service_.RequestCount(), 1u);
    EXPECT_NE(service_.Requests()[0].request_line.find("art=Wide%20Artist&trk=Wide%20Song"), std::string::npos)
        << service_.Requests()[0].request_line;

    const std::wstring excluded = folder.substr(0, folder.size() - 1);
    sqtest::RegistryOverride exclude(HKEY_CURRENT_USER, kSettingsKey, L"Exclude", excluded);
    SubmittingTick();
    EXPECT_EQ(service_.RequestCount(), 1u);
    EXPECT_EQ(Label(IDC_LBL_RESPONSE), "Song was in the excludes list. Song was not submitted.");
    ::DeleteFileW(song.c_str());
}

// Faults: the thread keeps dispatching during the wait, the right outcome shows, nothing crashes.
struct FaultCase {
    const char* name;
    ServiceScript script;
    bool nothing_listening;
    std::string response;
    const char* connected;
};

class SubmitSongFault : public SubmitSongTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SubmitSongFault, EndsWithTheRightOutcomeWhileTicksContinue) {
    const FaultCase& c = GetParam();
    service_.SetScript(c.script);
    std::unique_ptr<sqtest::ProxyOverride> nowhere;
    if (c.nothing_listening) nowhere = std::make_unique<sqtest::ProxyOverride>(sqtest::UnusedPort());
    TickCounter ticks;
    const ULONGLONG started = ::GetTickCount64();
    SubmittingTick();
    const ULONGLONG took = ::GetTickCount64() - started;
    EXPECT_EQ(Label(IDC_LBL_RESPONSE), c.response);
    EXPECT_EQ(Label(IDC_LBL_CONNECTED), c.connected);
    // 100 ms ticks: at least a third of those due during the wait must have been handled.
    EXPECT_GE(ticks.ticks, static_cast<int>(took / 300)) << "waited " << took << " ms";
    EXPECT_EQ(Label(IDC_LBL_TIME), "50 sec");
}

// Each failing answer comes after a second, so that ticks are due during the wait.
ServiceScript Late(ServiceScript s, DWORD ms = 1000) {
    s.stall_ms = ms;
    return s;
}

ServiceScript Stalling(DWORD ms) { return Late(ServiceScript{"200 OK", "Success"}, ms); }

ServiceScript Dropping() {
    ServiceScript s;
    s.drop = true;
    return Late(s);
}

ServiceScript Megabyte() {
    ServiceScript s{"200 OK", "Msg " + std::string(1020, 'y')};
    s.body_repeat = 1024;
    return Late(s);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SubmitSongFault,
    ::testing::Values(
        FaultCase{"NothingListening", {}, true, kUnknown, "Error."},
        FaultCase{"DroppedConnection", Dropping(), false, kUnknown, "Error."},
        FaultCase{"HtmlErrorPage", Late({"500 Internal Server Error", "<html><body><h1>500</h1></body></html>"}), false,
                  kUnknown, "Response Completed."},
        FaultCase{"ErrorStatusWithAKeyword", Late({"404 Not Found", "Success"}), false, "Thanks! Your song was submitted.",
                  "Response Completed."},
        FaultCase{"MegabyteBody", Megabyte(), false, std::string(508, 'y'), "Response Completed."},
        FaultCase{"SlowButInTime", Stalling(3000), false, "Thanks! Your song was submitted.", "Response Completed."}),
    [](const ::testing::TestParamInfo<FaultCase>& p) { return std::string(p.param.name); });

// The real time-out, once: a service that never answers is given up after 60 seconds.
TEST_F(SubmitSongTest, StallPastSixtySecondsEndsWithTheUnknownResponse) {
    service_.SetScript(Stalling(INFINITE));
    TickCounter ticks;
    const ULONGLONG started = ::GetTickCount64();
    SubmittingTick();
    const ULONGLONG took = ::GetTickCount64() - started;
    EXPECT_GE(took, 59000u);
    EXPECT_LT(took, 70000u);
    EXPECT_EQ(Label(IDC_LBL_RESPONSE), kUnknown);
    EXPECT_EQ(Label(IDC_LBL_CONNECTED), "Error.");
    EXPECT_GE(ticks.ticks, 200) << "the player's thread stopped dispatching during the wait";
}

}  // namespace
}  // namespace sq
