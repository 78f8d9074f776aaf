// gen_probe.dll: a general-purpose plug-in that reports how the player hosts it, for the player
// simulator's tests. Every event goes as one line, prefixed with the DLL's own file name, to
// probe.log beside it: the apartment of the thread init runs on, whether the player's window
// still exists at quit, any message dispatched to its own window after quit, how it is
// unloaded, and winampUninstallPlugin. Copied under a name holding "_now" it answers the
// uninstall with 1 (unload at once), otherwise with 0.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "host_wrapper/win32_gen_descriptor.h"

namespace {

HMODULE g_self = nullptr;
HWND g_window = nullptr;
bool g_quit = false;

std::string OwnName() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(g_self, path, MAX_PATH);
    const std::string full = path;
    return full.substr(full.find_last_of('\\') + 1);
}

void Report(const std::string& event) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(g_self, path, MAX_PATH);
    std::string log = path;
    log = log.substr(0, log.find_last_of('\\') + 1) + "probe.log";
    HANDLE file = ::CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string line = OwnName() + ": " + event + "\r\n";
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
}

const char* Apartment() {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    if (FAILED(::CoGetApartmentType(&type, &qualifier))) return "none";
    return type == APTTYPE_MTA ? "multithreaded" : type == APTTYPE_STA || type == APTTYPE_MAINSTA ? "single-threaded" : "other";
}

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && g_quit) Report("message dispatched after quit");
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

int __cdecl Init();
void __cdecl Config() {}
void __cdecl Quit();

char g_description[] = "Probe";
sq::GeneralPurposePlugin g_descriptor = {sq::kGeneralPurposeVersion, g_description, Init, Config, Quit, nullptr, nullptr};

int __cdecl Init() {
    Report(std::string("init on thread ") + std::to_string(::GetCurrentThreadId()) + " in the " + Apartment() +
           " apartment");
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = g_self;
    wc.lpszClassName = "SonoquillProbe";
    ::RegisterClassA(&wc);
    g_window = ::CreateWindowExA(0, "SonoquillProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_self, nullptr);
    ::SetTimer(g_window, 1, 20, nullptr);
    return 0;
}

void __cdecl Quit() {
    g_quit = true;
    Report(std::string("quit on thread ") + std::to_string(::GetCurrentThreadId()) + ", player window " +
           (::IsWindow(g_descriptor.hwndParent) ? "still there" : "gone"));
}

}  // namespace

extern "C" __declspec(dllexport) sq::GeneralPurposePlugin* __cdecl winampGetGeneralPurposePlugin() {
    return &g_descriptor;
}

extern "C" __declspec(dllexport) int __cdecl winampUninstallPlugin(HINSTANCE, HWND, int) {
    const int answer = OwnName().find("_now") != std::string::npos ? 1 : 0;
    Report("winampUninstallPlugin answers " + std::to_string(answer));
    if (answer == 1 && g_window) ::DestroyWindow(g_window);  // about to be unloaded
    return answer;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    if (reason == DLL_PROCESS_DETACH) Report(reserved ? "unloaded as the process ends" : "unloaded by FreeLibrary");
    return TRUE;
}
