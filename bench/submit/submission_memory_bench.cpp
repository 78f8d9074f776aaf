// The submission run's memory: the process's committed private memory after the first run and
// after the last of 100 (target: no growth beyond 64 kB; a leak in the run would show here),
// with the heap's bytes in use beside it, and as the peer the heap growth of the same number of
// bare WinINet requests (Wine's WinINet keeps about 100 bytes of each closed connection). The
// runs are driven directly, one after another, on frmMain as the plug-in loads it, with a
// stand-in player playing a tagged song; the stand-in service runs in a process of its own
// (tools/stand_in_service, on the port given), so that what it keeps of each request is not
// counted here. Runs under Wine (bench/run.sh).
//   submission_memory_bench PORT [RUNS]
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "media/mp3_bytes.h"
#include "winamp_model/player_window.h"
#include "submit/registry_override.h"
#include "ui/frm_main.h"

namespace {

constexpr char kSongTitle[] = "Bench Artist - Bench Song";
constexpr char kSubmitted[] = "Thanks! Your song was submitted.";
const std::wstring kSettingsKey = L"Software\\VB and VBA Program Settings\\Sonoquill\\Settings";

// One submission run, started the way the countdown starts it once a song has been showing.
void RunOneSubmission() { sq::frmMain::Instance().SubmitSong(); }

// Lets the messages and threads a run leaves behind (the transfer's last callbacks) finish.
void Settle() {
    const ULONGLONG until = ::GetTickCount64() + 300;
    while (::GetTickCount64() < until) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(10);
    }
}

struct Memory {
    double committed_private_kb = 0;  // committed private pages, as the system's counters count them
    double heap_in_use_kb = 0;        // busy blocks of every heap of the process
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
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) memory.heap_in_use_kb += entry.cbData / 1024.0;
        }
        ::HeapUnlock(heaps[i]);
    }
    return memory;
}

// The peer: a POST to the same address through WinINet alone, every handle closed after it.
bool BareRequest() {
    HINTERNET session = ::InternetOpenA("bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET connection = session ? ::InternetConnectA(session, "www.sonoquill.net", 80, nullptr, nullptr,
                                                          INTERNET_SERVICE_HTTP, 0, 0)
                                   : nullptr;
    HINTERNET request = connection ? ::HttpOpenRequestA(connection, "POST", "/index.php?c=bench", nullptr, nullptr,
                                                        nullptr, INTERNET_FLAG_RELOAD, 0)
                                   : nullptr;
    bool answered = false;
    if (request && ::HttpSendRequestA(request, nullptr, 0, nullptr, 0)) {
        char buffer[512];
        DWORD read = 0;
        while (::InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0) answered = true;
    }
    for (HINTERNET h : {request, connection, session}) {
        if (h) ::InternetCloseHandle(h);
    }
    return answered;
}

void Row(const char* what, const std::string& figure, const char* target = "", const char* verdict = "") {
    std::printf("  %-46s %20s   %-10s %s\n", what, figure.c_str(), target, verdict);
}

std::string Kb(double kb) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.0f kB", kb);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: submission_memory_bench PORT [RUNS]\n");
        return 2;
    }
    const unsigned port = static_cast<unsigned>(std::atoi(argv[1]));
    const int runs = argc > 2 ? std::max(2, std::atoi(argv[2])) : 100;

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
        << sqtest::Frame(sqtest::FrameHeader{}, 4000) << v1.Encode();

    sqtest::ProxyOverride proxy(port);
    sim::PlayerWindow player;
    player.playlist_folder = std::wstring(folder.begin(), folder.end());
    player.Add({std::wstring(song.begin(), song.end()), L"Bench Artist", L"Bench Song"});
    player.Play(0);
    sqtest::RegistryOverride registration(HKEY_CLASSES_ROOT, L"WinAmp.File\\shell\\play\\command", nullptr,
                                          L"\"" + std::wstring(folder.begin(), folder.end()) + L"winamp.exe\" \"%1\"");
    sqtest::RegistryOverride username(HKEY_CURRENT_USER, kSettingsKey, L"Username", std::wstring(L"bench"));
    sqtest::RegistryOverride password(HKEY_CURRENT_USER, kSettingsKey, L"Password", std::wstring(L"secret"));
    sq::frmMain& form = sq::frmMain::Instance();
    if (FAILED(form.Load())) {
        std::printf("frmMain could not be loaded\n");
        return 1;
    }
    // The countdown's own ticks, let through while a run waits, see the song as submitted.
    form.countdown.LastPlayed = kSongTitle;

    int submitted = 0;
    Memory first;
    for (int run = 1; run <= runs; ++run) {
        form.SetControlText(sq::IDC_LBL_RESPONSE, "No data sent yet.");
        RunOneSubmission();
        submitted += form.ControlText(sq::IDC_LBL_RESPONSE) == kSubmitted;
        if (run == 1) {
            Settle();
            first = Measure();
        }
    }
    Settle();
    const Memory last = Measure();

    int answered = BareRequest();
    Settle();
    const Memory bare_first = Measure();
    for (int i = 1; i < runs; ++i) answered += BareRequest();
    Settle();
    const Memory bare_last = Measure();

    const double growth = last.committed_private_kb - first.committed_private_kb;
    char what[64];
    std::snprintf(what, sizeof what, "private memory, run %d against run 1", runs);
    Row(what, Kb(growth), "<= 64 kB", growth <= 64 ? "ok" : "MISSED");
    Row("  heap in use, the same", Kb(last.heap_in_use_kb - first.heap_in_use_kb));
    std::snprintf(what, sizeof what, "  peer: heap in use, %d bare WinINet requests", runs);
    Row(what, Kb(bare_last.heap_in_use_kb - bare_first.heap_in_use_kb));
    char figure[64];
    std::snprintf(figure, sizeof figure, "%d of %d", submitted, runs);
    Row("  runs answered \"Success\" and shown", figure);
    std::snprintf(figure, sizeof figure, "%.0f kB", first.committed_private_kb);
    Row("  private memory after run 1", figure);
    return submitted == runs && answered == runs ? 0 : 1;
}
