// Sonoquill-Setup.exe run silently, as a user without administrator rights would: it finds the
// player's folder (given, or from the player's uninstall or file-type entries), puts both DLLs
// into Plugins, registers the classes for the current user and writes an uninstaller that takes
// all of it away again but leaves the user's stored account and excluded folder.
#include <gtest/gtest.h>

#include "host_wrapper/simulated_player.h"
#include "support/win_test_support.h"
#include "submit/registry_override.h"

namespace {

const std::wstring kClasses = L"Software\\Classes\\";
const std::wstring kPluginClsid = L"{B760165D-2746-43B4-8730-B29EC2BAF0C6}";
const std::wstring kUninstallEntry = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sonoquill";
const std::wstring kSettings = L"Software\\VB and VBA Program Settings\\Sonoquill\\Settings";
const wchar_t* const kInstalledFiles[] = {L"gen_sonoquill.dll", L"Sonoquill_WA.dll", L"Sonoquill-Uninstall.exe"};

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int RunSetup(const std::wstring& arguments) {
    return sqtest::RunProcess(L"\"" + sqtest::ProgramFolder() + L"Sonoquill-Setup.exe\" /S" + arguments, 120000);
}

// The uninstaller copies itself away and returns at once; its work is done when the files are gone.
bool Uninstall(const std::wstring& plugins) {
    if (sqtest::RunProcess(L"\"" + plugins + L"Sonoquill-Uninstall.exe\" /S", 60000) != 0) return false;
    return sqtest::PumpMessagesUntil([&] { return !FileExists(plugins + L"Sonoquill-Uninstall.exe"); }, 60000);
}

std::wstring WithoutTrailingSlash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

TEST(Installer, SilentInstallRegistersForTheUserAndUninstallKeepsTheSettings) {
    const std::wstring player = sqtest::TempFolder(L"sq_setup");
    const std::wstring plugins = player + L"Plugins\\";
    sqtest::RegistryOverride user(HKEY_CURRENT_USER, kSettings, L"Username", std::wstring(L"anna"));
    sqtest::RegistryOverride folder(HKEY_CURRENT_USER, kSettings, L"Exclude", std::wstring(L"C:\\Audiobooks"));

    ASSERT_EQ(RunSetup(L" /D=" + WithoutTrailingSlash(player)), 0);
    for (const wchar_t* file : kInstalledFiles) EXPECT_TRUE(FileExists(plugins + file)) << "installed: " << file;

    // Wine's COM does not use per-user classes, so the keys themselves are what is checked.
    EXPECT_EQ(sqtest::ReadRegistryString(HKEY_CURRENT_USER, kClasses + L"Sonoquill_WA.Plugin\\CLSID", nullptr),
              kPluginClsid);
    const std::wstring server =
        sqtest::ReadRegistryString(HKEY_CURRENT_USER, kClasses + L"CLSID\\" + kPluginClsid + L"\\InprocServer32", nullptr);
    EXPECT_EQ(lstrcmpiW(server.c_str(), (plugins + L"Sonoquill_WA.dll").c_str()), 0) << "server: " << server;
    EXPECT_TRUE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, kClasses + L"Sonoquill_WA.clsMP3"));
    EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, kClasses + L"CLSID\\" + kPluginClsid + L"\\InprocServer32") &&
                 lstrcmpiW(sqtest::ReadRegistryString(HKEY_LOCAL_MACHINE,
                                                      kClasses + L"CLSID\\" + kPluginClsid + L"\\InprocServer32", nullptr)
                               .c_str(),
                           (plugins + L"Sonoquill_WA.dll").c_str()) == 0)
        << "nothing machine-wide points at the installed copy";
    EXPECT_EQ(sqtest::ReadRegistryString(HKEY_CURRENT_USER, kUninstallEntry, L"InstallLocation"),
              WithoutTrailingSlash(player));

    ASSERT_TRUE(Uninstall(plugins));
    for (const wchar_t* file : kInstalledFiles) EXPECT_FALSE(FileExists(plugins + file)) << "removed: " << file;
    EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, kClasses + L"Sonoquill_WA.Plugin"));
    EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, kClasses + L"CLSID\\" + kPluginClsid));
    EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, kUninstallEntry));
    EXPECT_EQ(sqtest::ReadRegistryString(HKEY_CURRENT_USER, kSettings, L"Username"), L"anna") << "the account stays";
    EXPECT_EQ(sqtest::ReadRegistryString(HKEY_CURRENT_USER, kSettings, L"Exclude"), L"C:\\Audiobooks")
        << "the excluded folder stays";
    sqtest::DeleteTree(player);
}

struct PlayerEntry {
    const char* name;
    HKEY root;
    const wchar_t* path;
    const wchar_t* value;
    const wchar_t* before_folder;  // the entry's text is this, the player's folder, then `after_folder`
    const wchar_t* after_folder;
};

TEST(Installer, FindsThePlayerFolderFromItsRegistryEntries) {
    const PlayerEntry entries[] = {
        {"uninstall entry, quoted", HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp",
         L"UninstallString", L"\"", L"UninstWA.exe\""},
        {"uninstall entry, plain", HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp",
         L"UninstallString", L"", L"UninstWA.exe"},
        {"file-type entry", HKEY_CLASSES_ROOT, L"WinAmp.File\\shell\\play\\command", nullptr, L"\"",
         L"winamp.exe\" \"%1\""},
    };
    for (const PlayerEntry& entry : entries) {
        SCOPED_TRACE(entry.name);
        const std::wstring player = sqtest::TempFolder(L"sq_found player");
        // The file-type entry is only looked at when there is no uninstall entry.
        sqtest::RegistryOverride no_uninstall(HKEY_CURRENT_USER,
                                              L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp",
                                              L"UninstallString", std::wstring());
        sqtest::RegistryOverride found(entry.root, entry.path, entry.value,
                                       std::wstring(entry.before_folder) + player + entry.after_folder);
        ASSERT_EQ(RunSetup(L""), 0);
        EXPECT_TRUE(FileExists(player + L"Plugins\\gen_sonoquill.dll"));
        EXPECT_TRUE(FileExists(player + L"Plugins\\Sonoquill_WA.dll"));
        EXPECT_TRUE(Uninstall(player + L"Plugins\\"));
        sqtest::DeleteTree(player);
    }
}

}  // namespace
