// Sonoquill-Setup.exe run silently, as a user without administrator rights would: it finds the
// player's folder (given, or from the player's uninstall or file-type entries), puts both DLLs
// into Plugins, registers the classes for the current user and writes an uninstaller that takes
// all of it away again but leaves the user's stored account and excluded folder. Where Plugins
// cannot be written it installs with administrator rights for all users, and the uninstaller
// follows; a copy that fails says why and leaves nothing behind.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

#include "common/win32_ansi_text.h"
#include "common/win32_unique_handle.h"
#include "host_wrapper/simulated_player.h"
#include "support/stored_settings.h"
#include "support/win_test_support.h"
#include "submit/registry_override.h"

namespace {

const std::wstring kClasses = L"Software\\Classes\\";
const std::wstring kPluginClsid = L"{B760165D-2746-43B4-8730-B29EC2BAF0C6}";
const std::wstring kUninstallEntry = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sonoquill";
const std::wstring kSettings = sqtest::kSettingsKey;
const wchar_t* const kInstalledFiles[] = {L"gen_sonoquill.dll", L"Sonoquill_WA.dll", L"Sonoquill-Uninstall.exe"};
const std::wstring kMachineServer = kClasses + L"CLSID\\" + kPluginClsid + L"\\InprocServer32";

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

// Icon groups named by a number, as both windres and makensis write them.
BOOL CALLBACK NoteFirstNumberedName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
    if (!IS_INTRESOURCE(name)) return TRUE;
    *reinterpret_cast<ULONG_PTR*>(first) = reinterpret_cast<ULONG_PTR>(name);
    return FALSE;
}

// The images of a program's or DLL's first icon, as its file holds them.
std::vector<std::string> IconImages(const std::wstring& path) {
    const sq::UniqueLibrary file(
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    const auto bytes_of = [&file](LPCWSTR name, LPCWSTR type) {
        HRSRC found = ::FindResourceW(file.get(), name, type);
        const void* data = found ? ::LockResource(::LoadResource(file.get(), found)) : nullptr;
        return data ? std::string(static_cast<const char*>(data), ::SizeofResource(file.get(), found)) : std::string();
    };
    ULONG_PTR first = 0;
    ::EnumResourceNamesW(file.get(), RT_GROUP_ICON, &NoteFirstNumberedName, reinterpret_cast<LONG_PTR>(&first));
    // The group: a 6-byte header with the count, then 14 bytes per image ending in its identifier.
    const std::string group = first ? bytes_of(MAKEINTRESOURCEW(first), RT_GROUP_ICON) : std::string();
    std::vector<std::string> images;
    for (size_t at = 6; at + 14 <= group.size(); at += 14) {
        WORD id = 0;
        std::memcpy(&id, group.data() + at + 12, sizeof id);
        images.push_back(bytes_of(MAKEINTRESOURCEW(id), RT_ICON));
    }
    return images;
}

TEST(Installer, SilentInstallRegistersForTheUserAndUninstallKeepsTheSettings) {
    const std::wstring player = sqtest::TempFolder(L"sq_setup");
    const std::wstring plugins = player + L"Plugins\\";
    sqtest::RegistryOverride user(HKEY_CURRENT_USER, kSettings, L"Username", std::wstring(L"anna"));
    sqtest::RegistryOverride folder(HKEY_CURRENT_USER, kSettings, L"Exclude", std::wstring(L"C:\\Audiobooks"));

    ASSERT_EQ(RunSetup(L" /D=" + WithoutTrailingSlash(player)), 0);
    for (const wchar_t* file : kInstalledFiles) EXPECT_TRUE(FileExists(plugins + file)) << "installed: " << file;
    const std::vector<std::string> plugin_icon = IconImages(sqtest::DllPath());
    ASSERT_FALSE(plugin_icon.empty());
    EXPECT_EQ(IconImages(sqtest::ProgramFolder() + L"Sonoquill-Setup.exe"), plugin_icon) << "the installer's icon";
    EXPECT_EQ(IconImages(plugins + L"Sonoquill-Uninstall.exe"), plugin_icon) << "the uninstaller's icon";

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

// The test fixture's machine-wide registration of the build's DLL comes back after a scenario
// that registered or removed the classes for all users.
struct MachineRegistrationRestored {
    ~MachineRegistrationRestored() { sqtest::RunProcess(L"regsvr32.exe /s \"" + sqtest::DllPath() + L"\""); }
};

// Wine lets every process write everywhere, so no folder refuses this user as Program Files does.
// A folder standing at the name the installer tries its first write with makes that try fail while
// the copy itself can still succeed: the installer then takes the road it takes under Program Files.
TEST(Installer, FolderTheUserCannotWriteIsInstalledAndRemovedForAllUsersWithAdministratorRights) {
    const std::wstring player = sqtest::TempFolder(L"sq_all users");
    const std::wstring plugins = player + L"Plugins\\";
    ASSERT_TRUE(::CreateDirectoryW(plugins.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW((plugins + L"sonoquill-setup.tmp").c_str(), nullptr));
    MachineRegistrationRestored restored;
    sqtest::RegistryOverride user(HKEY_CURRENT_USER, kSettings, L"Username", std::wstring(L"anna"));

    ASSERT_EQ(RunSetup(L" /D=" + WithoutTrailingSlash(player)), 0);
    for (const wchar_t* file : kInstalledFiles) EXPECT_TRUE(FileExists(plugins + file)) << "installed: " << file;
    const std::wstring server = sqtest::ReadRegistryString(HKEY_LOCAL_MACHINE, kMachineServer, nullptr);
    EXPECT_EQ(lstrcmpiW(server.c_str(), (plugins + L"Sonoquill_WA.dll").c_str()), 0) << "registered for all users: " << server;
    EXPECT_EQ(sqtest::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallEntry, L"InstallLocation"),
              WithoutTrailingSlash(player));
    EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, kClasses + L"Sonoquill_WA.Plugin"));
    EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, kUninstallEntry));

    // Removed from a running player (a process that stays until it is ended here), the uninstaller
    // asks for the rights again, removes the registration and the entry at once and the files
    // once the player has ended.
    sqtest::StartedProcess running_player(L"cmd.exe", CREATE_SUSPENDED);
    ASSERT_TRUE(running_player.started());
    ASSERT_EQ(sqtest::RunProcess(L"\"" + plugins + L"Sonoquill-Uninstall.exe\" /S /AFTERPID=" +
                                 std::to_wstring(running_player.id())),
              0);
    EXPECT_TRUE(sqtest::PumpMessagesUntil(
        [] {
            return !sqtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry) &&
                   !sqtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, kClasses + L"CLSID\\" + kPluginClsid);
        },
        20000));
    for (const wchar_t* file : kInstalledFiles) EXPECT_TRUE(FileExists(plugins + file)) << "kept for now: " << file;
    running_player.End();
    EXPECT_TRUE(sqtest::PumpMessagesUntil([&] { return !FileExists(plugins + L"Sonoquill-Uninstall.exe"); }, 30000));
    for (const wchar_t* file : kInstalledFiles) EXPECT_FALSE(FileExists(plugins + file)) << "removed: " << file;
    EXPECT_EQ(sqtest::ReadRegistryString(HKEY_CURRENT_USER, kSettings, L"Username"), L"anna");
    sqtest::DeleteTree(player);
}

// What stands in the way of the copy, made in the player's folder before the installer runs.
struct FailingCopy {
    const char* name;
    const char* file;       // a file with these bytes at `path`, or
    const wchar_t* folder;  // a folder at `path`
    const wchar_t* path;    // below the player's folder
    bool held_open;         // the file is held open, as a running player holds its plug-ins
};

const FailingCopy kFailingCopies[] = {
    {"a file where Plugins should be (administrator rights do not help)", "x", nullptr, L"Plugins", false},
    {"a folder where the second DLL should be", nullptr, L"Plugins\\Sonoquill_WA.dll", L"Plugins\\Sonoquill_WA.dll", false},
    {"an earlier gen_sonoquill.dll in use", "old", nullptr, L"Plugins\\gen_sonoquill.dll", true},
};

// Lays out `c` in `player`; the returned handle (if any) keeps the file open.
sq::UniqueFile Prepare(const FailingCopy& c, const std::wstring& player) {
    if (std::wstring(c.path) != L"Plugins") ::CreateDirectoryW((player + L"Plugins").c_str(), nullptr);
    if (c.folder) {
        ::CreateDirectoryW((player + c.folder).c_str(), nullptr);
        return {};
    }
    sq::UniqueFile file(::CreateFileW((player + c.path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ::WriteFile(file.get(), c.file, static_cast<DWORD>(strlen(c.file)), &written, nullptr);
    if (!c.held_open) file.reset();
    return file;
}

TEST(Installer, CopyThatFailsLeavesNothingInstalled) {
    for (const FailingCopy& c : kFailingCopies) {
        SCOPED_TRACE(c.name);
        const std::wstring player = sqtest::TempFolder(L"sq_failing");
        sq::UniqueFile held = Prepare(c, player);
        EXPECT_EQ(RunSetup(L" /D=" + WithoutTrailingSlash(player)), 2) << "2: not installed";
        held.reset();

        if (c.file) {
            EXPECT_EQ(sqtest::ReadWholeFile(player + c.path), c.file) << "what was there stays as it was";
        }
        for (const wchar_t* file : kInstalledFiles) {
            const std::wstring path = player + L"Plugins\\" + file;
            if (path != player + c.path) {
                EXPECT_FALSE(FileExists(path)) << file;
            }
            EXPECT_FALSE(FileExists(path + L".new")) << "staged copies are removed: " << file;
        }
        EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, kUninstallEntry));
        EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
        EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, kClasses + L"Sonoquill_WA.Plugin"));
        EXPECT_EQ(lstrcmpiW(sqtest::ReadRegistryString(HKEY_LOCAL_MACHINE, kMachineServer, nullptr).c_str(),
                            sqtest::DllPath().c_str()),
                  0)
            << "the machine's registration is untouched";
        sqtest::DeleteTree(player);
    }
}

// With its window, the installer says why it stopped. The folder page's Install is pressed; the
// text of the message box that follows is returned ("" when none came).
std::wstring MessageOfFailedInteractiveSetup(const std::wstring& player) {
    sqtest::StartedProcess setup(L"\"" + sqtest::ProgramFolder() + L"Sonoquill-Setup.exe\" /D=" +
                                 WithoutTrailingSlash(player));
    if (!setup.started()) return {};
    bool pressed_install = false;
    std::wstring message;
    sqtest::PumpMessagesUntil(
        [&] {
            for (HWND window : sqtest::VisibleDialogsOf(setup.id())) {
                const bool wizard = ::GetDlgItem(window, 3) != nullptr;  // the Back button
                if (wizard && !pressed_install && ::IsWindowEnabled(::GetDlgItem(window, IDOK))) {
                    ::PostMessageW(::GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
                    pressed_install = true;
                } else if (!wizard && pressed_install) {
                    message = sqtest::LabelTexts(window);
                    ::PostMessageW(window, WM_COMMAND, IDOK, 0);
                    return true;
                }
            }
            return false;
        },
        60000);
    return message;
}

TEST(Installer, CopyThatFailsSaysWhyWhenRunWithItsWindow) {
    const std::wstring player = sqtest::TempFolder(L"sq_failing_window");
    sq::UniqueFile held = Prepare(kFailingCopies[2], player);
    const std::wstring message = MessageOfFailedInteractiveSetup(player);
    EXPECT_NE(message.find(L"Sonoquill was not installed"), std::wstring::npos) << sq::AnsiFromWide(message);
    EXPECT_NE(message.find(L"gen_sonoquill.dll is in use"), std::wstring::npos) << sq::AnsiFromWide(message);
    EXPECT_NE(message.find(L"Close Winamp"), std::wstring::npos) << sq::AnsiFromWide(message);
    held.reset();
    sqtest::DeleteTree(player);
}

// "Space required: 463.0 KB" (or "1.2 MB") among a page's texts, in kB; -1 when it is not there.
double SpaceRequiredKb(const std::wstring& texts) {
    const std::wstring label = L"Space required: ";
    const size_t at = texts.find(label);
    if (at == std::wstring::npos) return -1;
    wchar_t* end = nullptr;
    const double value = std::wcstod(texts.c_str() + at + label.size(), &end);
    if (std::wcsncmp(end, L" KB", 3) == 0) return value;
    if (std::wcsncmp(end, L" MB", 3) == 0) return value * 1024;
    return -1;
}

TEST(Installer, FolderPageShowsTheSizeOfWhatItInstalls) {
    const std::wstring player = sqtest::TempFolder(L"sq_sized");
    const std::wstring plugins = player + L"Plugins\\";
    sqtest::StartedProcess setup(L"\"" + sqtest::ProgramFolder() + L"Sonoquill-Setup.exe\" /D=" +
                                 WithoutTrailingSlash(player));
    ASSERT_TRUE(setup.started());
    // The folder page's texts as Install is pressed; then Close, once the files are in.
    std::wstring folder_page;
    std::wstring install_button;
    const bool closed = sqtest::PumpMessagesUntil(
        [&] {
            for (HWND window : sqtest::VisibleDialogsOf(setup.id())) {
                HWND button = ::GetDlgItem(window, IDOK);
                if (!button || !::GetDlgItem(window, 3) || !::IsWindowEnabled(button)) continue;
                if (folder_page.empty()) {
                    folder_page = sqtest::LabelTexts(window);
                    install_button = sqtest::WindowText(button);
                } else if (sqtest::WindowText(button) == install_button) {
                    continue;  // the press has not been taken yet
                }
                ::PostMessageW(button, BM_CLICK, 0, 0);
                return sqtest::WindowText(button) != install_button;
            }
            return false;
        },
        60000);
    ASSERT_TRUE(closed) << sq::AnsiFromWide(folder_page);

    double installed_kb = 0;
    for (const wchar_t* file : kInstalledFiles) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ASSERT_TRUE(::GetFileAttributesExW((plugins + file).c_str(), GetFileExInfoStandard, &data)) << file;
        installed_kb += data.nFileSizeLow / 1024.0;
    }
    // makensis counts each file in whole kB.
    EXPECT_NEAR(SpaceRequiredKb(folder_page), installed_kb, 3.0) << sq::AnsiFromWide(folder_page);
    EXPECT_TRUE(Uninstall(plugins));
    sqtest::DeleteTree(player);
}

}  // namespace
