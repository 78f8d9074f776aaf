// The submission run's memory: the process's committed private memory after the first run and
// after the last of 100 (target: no growth beyond 64 kB; a leak in the run would show here),
// with the heap's bytes in use beside it, and as the peer the heap growth of the same number of
// bare WinINet requests (Wine's WinINet keeps 96 bytes of each closed connection). Then the
// same with every run ended by the transfer's watchdog (a service that accepts and never
// answers; the watchdog of frmMain's transfer control shortened to 1 s) and with every connection dropped
// unanswered, each beside bare requests that end the same way: the plug-in's heap must come
// back to what it was after the first run, within a few hundred bytes of WinINet's own floor.
// The runs are driven directly, one after another, on frmMain as the plug-in loads it, each
// started by the countdown's tick, with a stand-in player playing a tagged song; the stand-in
// services run in processes of their own (tools/stand_in_service, on the ports given), so that
// what they keep of each request is not counted here. Runs under Wine (bench/run.sh).
//   submission_memory_bench ANSWERING_PORT SILENT_PORT DROPPING_PORT [RUNS]
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/win32_unique_handle.h"
#include "media/mp3_bytes.h"
#include "submit/registry_override.h"
#include "support/stored_settings.h"
#include "ui/win32_frm_main.h"
#include "winamp_model/player_window.h"

namespace {

constexpr char kSubmitted[] = "Thanks! Your song was submitted.";
constexpr char kErrorState[] = "Error.";
constexpr DWORD kWatchdogMs = 1000;
constexpr double kHeapMarginBytes = 512;
using sqtest::kSettingsKey;

struct Memory {
    double committed_private_kb = 0;  // committed private pages, as the system's counters count them
    double heap_in_use_bytes = 0;     // busy blocks of every heap of the process
};

Memory Measure() {
    Memory memory;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) memory.committed_private_kb += region.RegionSize / 1024.0;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    HANDLE heaps[64];
    const DWORD count = ::GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!::HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) memory.heap_in_use_bytes += entry.cbData;
        }
        ::HeapUnlock(heaps[i]);
    }
    return memory;
}

// Lets what a run leaves behind finish: the transfer's last reports, WinINet giving up a call left
// pending, and the threads WinINet gave its calls to, which Wine's thread pool ends once they have
// been idle for 5 s (their stacks and per-thread heap blocks would count otherwise).
Memory SettleAndMeasure() {
    const ULONGLONG until = ::GetTickCount64() + 6000;
    while (::GetTickCount64() < until) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(10);
    }
    return Measure();
}

// One submission run, started as the countdown starts it once a new song has played through.
// True when the run ended as `expected` says: the answer shown, or the error state shown after
// at least `at_least_ms` (the watchdog's time) or at once.
struct Expected {
    const char* response = nullptr;  // lblResponse afterwards, or null for the error state
    DWORD at_least_ms = 0;
};

bool RunOneSubmission(sq::frmMain& form, const Expected& expected) {
    form.SetControlText(sq::IDC_LBL_RESPONSE, "No data sent yet.");
    form.SetControlText(sq::IDC_LBL_CONNECTED, "");
    form.CountdownForTesting().LastPlayed = "a title shown before";
    form.CountdownForTesting().lngCounter = 0;
    const ULONGLONG started = ::GetTickCount64();
    form.tmrCountDown_Timer();
    const ULONGLONG took = ::GetTickCount64() - started;
    if (expected.response) return form.ControlText(sq::IDC_LBL_RESPONSE) == expected.response;
    return form.ControlText(sq::IDC_LBL_CONNECTED) == kErrorState && took + 50 >= expected.at_least_ms;
}

// The peer: a POST to the same address through WinINet alone, every handle closed after it.
// True when it was answered.
bool BareRequest(DWORD receive_timeout_ms) {
    const sq::UniqueInternet session(::InternetOpenA("bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return false;
    const sq::UniqueInternet connection(::InternetConnectA(session.get(), "www.sonoquill.net", 80, nullptr, nullptr,
                                                           INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return false;
    ::InternetSetOptionA(connection.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receive_timeout_ms, sizeof receive_timeout_ms);
    const sq::UniqueInternet request(::HttpOpenRequestA(connection.get(), "POST", "/index.php?c=bench", nullptr, nullptr,
                                                        nullptr, INTERNET_FLAG_RELOAD, 0));
    bool answered = false;
    if (request && ::HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) {
        char buffer[512];
        DWORD read = 0;
        while (::InternetReadFile(request.get(), buffer, sizeof buffer, &read) && read > 0) answered = true;
    }
    return answered;
}

void Row(const std::string& what, const std::string& figure, const std::string& target = "", const char* verdict = "") {
    std::printf("  %-46s %20s   %-10s %s\n", what.c_str(), figure.c_str(), target.c_str(), verdict);
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

struct Rows {
    Memory first, last, bare_first, bare_last;
    int as_expected = 0;
    int bare_as_expected = 0;

    double HeapGrowth() const { return last.heap_in_use_bytes - first.heap_in_use_bytes; }
    double PeerGrowth() const { return bare_last.heap_in_use_bytes - bare_first.heap_in_use_bytes; }
    bool HeapHolds() const { return HeapGrowth() <= PeerGrowth() + kHeapMarginBytes; }
};

// `runs` submission runs against the service the proxy points at, then as many bare requests.
Rows RunAndMeasure(sq::frmMain& form, int runs, const Expected& expected, DWORD bare_timeout_ms, bool bare_answered) {
    Rows rows;
    for (int run = 1; run <= runs; ++run) {
        rows.as_expected += RunOneSubmission(form, expected);
        if (run == 1) rows.first = SettleAndMeasure();
    }
    rows.last = SettleAndMeasure();
    for (int i = 1; i <= runs; ++i) {
        rows.bare_as_expected += BareRequest(bare_timeout_ms) == bare_answered;
        if (i == 1) rows.bare_first = SettleAndMeasure();
    }
    rows.bare_last = SettleAndMeasure();
    return rows;
}

void HeapRows(const Rows& rows, const std::string& what, const std::string& peer) {
    Row(what, Format("%+.0f B", rows.HeapGrowth()));
    Row(peer, Format("%+.0f B", rows.PeerGrowth()));
    Row("  the runs' own growth, beyond the peer's", Format("%+.0f B", rows.HeapGrowth() - rows.PeerGrowth()),
        Format("<= %.0f B", kHeapMarginBytes), rows.HeapHolds() ? "ok" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: submission_memory_bench ANSWERING_PORT SILENT_PORT DROPPING_PORT [RUNS]\n");
        return 2;
    }
    const unsigned answering_port = static_cast<unsigned>(std::atoi(argv[1]));
    const unsigned silent_port = static_cast<unsigned>(std::atoi(argv[2]));
    const unsigned dropping_port = static_cast<unsigned>(std::atoi(argv[3]));
    const int runs = argc > 4 ? std::max(2, std::atoi(argv[4])) : 100;

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "sq_memory_bench\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    sqtest::Id3v1 v1;
    v1.title = "Bench Song";
    v1.artist = "Bench Artist";
    const std::string song = folder + "bench song.mp3";
    std::ofstream(song, std::ios::binary)
        << sqtest::Id3v2Tag(3, sqtest::V3Frame("TIT2", "Bench Song") + sqtest::V3Frame("TPE1", "Bench Artist"))
        << sqtest::Frame(sq::FrameHeader{}, 4000) << v1.Encode();

    sim::PlayerWindow player;
    player.playlist_folder = std::wstring(folder.begin(), folder.end());
    player.Add({std::wstring(song.begin(), song.end()), L"Bench Artist", L"Bench Song"});
    player.Play(0);
    sqtest::RegistryOverride registration(HKEY_CLASSES_ROOT, L"WinAmp.File\\shell\\play\\command", nullptr,
                                          L"\"" + std::wstring(folder.begin(), folder.end()) + L"winamp.exe\" \"%1\"");
    sqtest::RegistryOverride username(HKEY_CURRENT_USER, kSettingsKey, L"Username", std::wstring(L"bench"));
    sqtest::RegistryOverride password(HKEY_CURRENT_USER, kSettingsKey, L"Password", std::wstring(L"secret"));
    sq::frmMain& form = sq::frmMain::Instance();
    // Before the first run makes the transfer control: a hundred runs ended by a 60 s watchdog
    // would take an hour and a half.
    form.SetRequestTimeoutForTesting(kWatchdogMs);
    if (FAILED(form.Load())) {
        std::printf("frmMain could not be loaded\n");
        return 1;
    }

    Rows answered, timed_out, dropped;
    {
        sqtest::ProxyOverride proxy(answering_port);
        answered = RunAndMeasure(form, runs, {kSubmitted, 0}, 60000, true);
    }
    {
        sqtest::ProxyOverride proxy(silent_port);
        timed_out = RunAndMeasure(form, runs, {nullptr, kWatchdogMs}, kWatchdogMs, false);
    }
    {
        sqtest::ProxyOverride proxy(dropping_port);
        dropped = RunAndMeasure(form, runs, {nullptr, 0}, 60000, false);
    }

    const std::string count = std::to_string(runs);
    const auto of_runs = [&](int n) { return std::to_string(n) + " of " + count; };
    const double growth = answered.last.committed_private_kb - answered.first.committed_private_kb;
    Row("private memory, run " + count + " against run 1", Format("%+.0f kB", growth), "<= 64 kB",
        growth <= 64 ? "ok" : "MISSED");
    HeapRows(answered, "  heap in use, the same", "  peer: heap in use, " + count + " bare WinINet requests");
    Row("  runs answered \"Success\" and shown", of_runs(answered.as_expected));
    Row("  private memory after run 1", Format("%.0f kB", answered.first.committed_private_kb));
    Row("every run ended by the watchdog (" + Format("%.0f s", kWatchdogMs / 1000.0) + "):", "");
    HeapRows(timed_out, "  heap in use, run " + count + " against run 1",
             "  peer: " + count + " bare requests timed out");
    Row("  private memory, the same",
        Format("%+.0f kB", timed_out.last.committed_private_kb - timed_out.first.committed_private_kb));
    Row("  runs ended by the watchdog, error shown", of_runs(timed_out.as_expected));
    Row("every connection dropped unanswered:", "");
    HeapRows(dropped, "  heap in use, run " + count + " against run 1", "  peer: " + count + " bare requests dropped");
    Row("  private memory, the same",
        Format("%+.0f kB", dropped.last.committed_private_kb - dropped.first.committed_private_kb));
    Row("  runs ended with the error shown", of_runs(dropped.as_expected));

    bool all = true;
    for (const Rows* rows : {&answered, &timed_out, &dropped}) {
        all = all && rows->as_expected == runs && rows->bare_as_expected == runs;
    }
    return all ? 0 : 1;
}
