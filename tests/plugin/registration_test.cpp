// Registration through regsvr32, machine-wide and per user: keys present after, gone after /u,
// and the host's own interfaces never touched.
#include <gtest/gtest.h>

#include "support/win_test_support.h"

namespace {

const std::wstring kPluginClsid = L"{B760165D-2746-43B4-8730-B29EC2BAF0C6}";
const std::wstring kMp3Clsid = L"{8BAB171D-6796-46F8-8D2D-70C1AA98DDF0}";
const std::wstring kLibId = L"{F615B974-9342-4A58-9613-8BC205FC7F72}";
const std::wstring kPluginIid = L"{64486C62-7183-4746-A6BE-00DB206F559D}";
const std::wstring kMp3Iid = L"{49C32461-518B-4867-A79D-05BDB3C85AA9}";
const std::wstring kHostPluginIid = L"{D7CCEDBC-EA32-4421-8C9E-F49643851321}";
const std::wstring kHostWrapperIid = L"{A14D666C-0903-4111-A92F-6DDFE530AFDC}";
const std::wstring kClasses = L"Software\\Classes\\";

int Regsvr32(const std::wstring& options) {
    return sqtest::RunProcess(L"regsvr32.exe " + options + L" \"" + sqtest::DllPath() + L"\"");
}

std::vector<std::wstring> ComponentKeys() {
    return {L"Sonoquill_WA.Plugin\\CLSID",
            L"Sonoquill_WA.clsMP3\\CLSID",
            L"CLSID\\" + kPluginClsid + L"\\InprocServer32",
            L"CLSID\\" + kMp3Clsid + L"\\InprocServer32",
            L"Interface\\" + kPluginIid + L"\\TypeLib",
            L"Interface\\" + kMp3Iid + L"\\TypeLib",
            L"TypeLib\\" + kLibId + L"\\1.0\\0\\win32"};
}

void ExpectRegistered(HKEY root) {
    for (const std::wstring& key : ComponentKeys())
        EXPECT_TRUE(sqtest::RegistryKeyExists(root, kClasses + key)) << "missing key " << std::string(key.begin(), key.end());
    const std::wstring inproc = kClasses + L"CLSID\\" + kPluginClsid + L"\\InprocServer32";
    EXPECT_EQ(sqtest::ReadRegistryString(root, inproc, L"ThreadingModel"), L"Apartment");
    const std::wstring server = sqtest::ReadRegistryString(root, inproc, nullptr);
    EXPECT_NE(server.find(L"Sonoquill_WA.dll"), std::wstring::npos) << "InprocServer32 should name the DLL";
    EXPECT_EQ(sqtest::ReadRegistryString(root, kClasses + L"Sonoquill_WA.Plugin\\CLSID", nullptr), kPluginClsid);
    EXPECT_EQ(sqtest::ReadRegistryString(root, kClasses + L"Sonoquill_WA.clsMP3\\CLSID", nullptr), kMp3Clsid);
}

void ExpectNothingOfOurs(HKEY root) {
    for (const std::wstring& key : ComponentKeys())
        EXPECT_FALSE(sqtest::RegistryKeyExists(root, kClasses + key)) << "left behind " << std::string(key.begin(), key.end());
    EXPECT_FALSE(sqtest::RegistryKeyExists(root, kClasses + L"TypeLib\\" + kLibId));
    EXPECT_FALSE(sqtest::RegistryKeyExists(root, kClasses + L"CLSID\\" + kPluginClsid));
    EXPECT_FALSE(sqtest::RegistryKeyExists(root, kClasses + L"Sonoquill_WA.Plugin"));
}

void ExpectHostInterfacesUntouched(HKEY root) {
    EXPECT_FALSE(sqtest::RegistryKeyExists(root, kClasses + L"Interface\\" + kHostPluginIid));
    EXPECT_FALSE(sqtest::RegistryKeyExists(root, kClasses + L"Interface\\" + kHostWrapperIid));
}

TEST(Registration, MachineWideRoundTrip) {
    ASSERT_EQ(Regsvr32(L"/s"), 0);
    ExpectRegistered(HKEY_LOCAL_MACHINE);
    ExpectHostInterfacesUntouched(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, kClasses + L"CLSID\\" + kPluginClsid))
        << "machine-wide registration must not write per-user keys";

    ASSERT_EQ(Regsvr32(L"/u /s"), 0);
    ExpectNothingOfOurs(HKEY_LOCAL_MACHINE);

    // Leave the component registered for the tests that create it by ProgID.
    ASSERT_EQ(Regsvr32(L"/s"), 0);
}

TEST(Registration, PerUserRoundTripNeedsNoMachineKeys) {
    ASSERT_EQ(Regsvr32(L"/u /s"), 0);
    ASSERT_EQ(Regsvr32(L"/n /i:user /s"), 0);
    ExpectRegistered(HKEY_CURRENT_USER);
    ExpectHostInterfacesUntouched(HKEY_CURRENT_USER);
    EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, kClasses + L"CLSID\\" + kPluginClsid))
        << "per-user registration must not write machine-wide keys";

    ASSERT_EQ(Regsvr32(L"/u /n /i:user /s"), 0);
    ExpectNothingOfOurs(HKEY_CURRENT_USER);

    ASSERT_EQ(Regsvr32(L"/s"), 0);
}

TEST(Registration, VersionBlockNamesTheRelease) {
    const std::wstring dll = sqtest::DllPath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(dll.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(dll.c_str(), 0, size, block.data()));
    auto value = [&](const wchar_t* name) -> std::wstring {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        if (!::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text) return L"<none>";
        return text;
    };
    EXPECT_EQ(value(L"Comments"), L"Sonoquill Reporting Plugin");
    EXPECT_EQ(value(L"ProductName"), L"Sonoquill");
    EXPECT_EQ(value(L"FileVersion"), L"1.00.0061");
    EXPECT_EQ(value(L"ProductVersion"), L"1.00.0061");
    EXPECT_EQ(value(L"InternalName"), L"Sonoquill_WA");
    EXPECT_EQ(value(L"OriginalFilename"), L"Sonoquill_WA.dll");
    EXPECT_NE(value(L"OLESelfRegister"), L"<none>");
    EXPECT_NE(value(L"CompanyName"), L"<none>");
}

}  // namespace
