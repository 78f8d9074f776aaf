// Sonoquill_WA.clsMP3 through COM, as a host program meets it: creation by ProgID, rich error
// information on failures, the Windows file layer's sharing and error numbers, and SearchDir
// letting the thread's waiting messages run.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "media/mp3_bytes.h"
#include "sonoquill_wa.h"
#include "support/win_test_support.h"

namespace {

template <typename T>
struct Ref {
    T* p = nullptr;
    ~Ref() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

class ClsMP3Com : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        CLSID clsid{};
        ASSERT_EQ(::CLSIDFromProgID(L"Sonoquill_WA.clsMP3", &clsid), S_OK);
        ASSERT_TRUE(::IsEqualCLSID(clsid, CLSID_clsMP3));
        ASSERT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__clsMP3, reinterpret_cast<void**>(&mp3_.p)),
                  S_OK);
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "sq_clsmp3_com\\";
        ::CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        if (mp3_.p) {
            mp3_.p->Release();
            mp3_.p = nullptr;
        }
        ::CoUninitialize();
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = folder_ + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    HRESULT Read(const std::string& path) {
        VARIANT name;
        ::VariantInit(&name);
        name.vt = VT_BSTR;
        name.bstrVal = ::SysAllocString(Wide(path).c_str());
        VARIANT_BOOL ok = VARIANT_TRUE;
        const HRESULT hr = mp3_->ReadMP3(name, &ok);
        ::VariantClear(&name);
        EXPECT_EQ(ok, SUCCEEDED(hr) ? VARIANT_TRUE : VARIANT_FALSE);
        return hr;
    }

    std::wstring Songname() {
        BSTR value = nullptr;
        EXPECT_EQ(mp3_->get_Songname(&value), S_OK);
        std::wstring text(value ? value : L"");
        ::SysFreeString(value);
        return text;
    }

    static void ExpectErrorInfo(const std::wstring& description) {
        Ref<IErrorInfo> info;
        ASSERT_EQ(::GetErrorInfo(0, &info.p), S_OK);
        BSTR source = nullptr;
        BSTR text = nullptr;
        info->GetSource(&source);
        info->GetDescription(&text);
        EXPECT_EQ(std::wstring(source ? source : L""), L"clsMP3");
        EXPECT_EQ(std::wstring(text ? text : L""), description);
        ::SysFreeString(source);
        ::SysFreeString(text);
    }

    static std::string TaggedBytes() {
        sqtest::Id3v1 v1;
        v1.title = "Held Open";
        return sqtest::Frame(sq::FrameHeader{}, 5000) + v1.Encode();
    }

    Ref<_clsMP3> mp3_;
    std::string folder_;
};

TEST_F(ClsMP3Com, SupportsErrorInfoOnItsInterface) {
    Ref<ISupportErrorInfo> support;
    ASSERT_EQ(mp3_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support.p)), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__clsMP3), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
}

TEST_F(ClsMP3Com, FailuresAreControlHresultsWithSourceAndDescription) {
    const std::string missing = folder_ + "missing.mp3";
    ::DeleteFileA(missing.c_str());
    EXPECT_EQ(Read(missing), MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 20041));
    ExpectErrorInfo(L"File not found in clsMP3 (" + Wide(missing) + L")");
    EXPECT_EQ(::GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES) << "reading created the file";

    // A folder is no audio file.
    EXPECT_EQ(Read(folder_), MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 20063));
    ExpectErrorInfo(L"Path/File access error in clsMP3 (" + Wide(folder_) + L")");

    // A value that converts to no text fails in ReadMP3 itself: one level of wrapping.
    VARIANT null_name;
    ::VariantInit(&null_name);
    null_name.vt = VT_NULL;
    VARIANT_BOOL ok = VARIANT_TRUE;
    EXPECT_EQ(mp3_->ReadMP3(null_name, &ok), MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 10007));
    ExpectErrorInfo(L"Type mismatch");
}

// A name the code page cannot hold is read from the file it names; what the class reports about
// it keeps the name's code-page form, as it always has.
TEST_F(ClsMP3Com, NameOutsideTheCodePageIsReadAndReportedInItsCodePageForm) {
    const std::wstring name = Wide(folder_) + L"\x65E5\x672C.mp3";
    char narrow[MAX_PATH] = {};
    BOOL lost = FALSE;
    ::WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, narrow, MAX_PATH, nullptr, &lost);
    if (!lost) GTEST_SKIP() << "this system's code page holds the name";
    HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string bytes = TaggedBytes();
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);

    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocString(name.c_str());
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_EQ(mp3_->ReadMP3(value, &ok), S_OK);
    EXPECT_EQ(Songname(), L"Held Open");
    ::DeleteFileW(name.c_str());
    EXPECT_EQ(mp3_->ReadMP3(value, &ok), MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 20041));
    ExpectErrorInfo(L"File not found in clsMP3 (" + Wide(narrow) + L")");
    ::VariantClear(&value);
}

TEST_F(ClsMP3Com, FileHeldOpenForWritingIsRead) {
    const std::string path = Write("held.mp3", TaggedBytes());
    HANDLE writer = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    FILETIME before{};
    ::GetFileTime(writer, nullptr, nullptr, &before);
    EXPECT_EQ(Read(path), S_OK);
    EXPECT_EQ(Songname(), L"Held Open");
    FILETIME after{};
    ::GetFileTime(writer, nullptr, nullptr, &after);
    EXPECT_EQ(::CompareFileTime(&before, &after), 0);
    ::CloseHandle(writer);

    // Every handle was closed: the file can now be deleted.
    EXPECT_TRUE(::DeleteFileA(path.c_str()));
}

TEST_F(ClsMP3Com, FileLockedByAnotherProgramIsPermissionDenied) {
    const std::string path = Write("locked.mp3", TaggedBytes());
    HANDLE exclusive = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Read(path), MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 20058));
    ExpectErrorInfo(L"Permission denied in clsMP3 (" + Wide(path) + L")");
    ::CloseHandle(exclusive);
    EXPECT_EQ(Read(path), S_OK);
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_APP) ++*reinterpret_cast<int*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return ::DefWindowProcW(window, message, w, l);
}

TEST_F(ClsMP3Com, SearchDirLetsWaitingMessagesRunAndListsTheFolder) {
    const std::string root = folder_ + "search\\";
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA((root + "Live").c_str(), nullptr);
    Write("search\\a.mp3", "a");

    WNDCLASSW wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SqClsMP3Counter";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    int dispatched = 0;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dispatched));
    for (int i = 0; i < 3; ++i) ::PostMessageW(window, WM_APP, 0, 0);

    BSTR dir = ::SysAllocString(Wide(root).c_str());
    BSTR type = ::SysAllocString(L"*.mp3");
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_EQ(mp3_->SearchDir(dir, type, &ok), S_OK);
    EXPECT_EQ(ok, VARIANT_TRUE);
    EXPECT_EQ(dispatched, 3) << "SearchDir did not let the waiting messages run";

    BSTR files = nullptr;
    BSTR subdirs = nullptr;
    mp3_->get_Files(&files);
    mp3_->get_Subdirs(&subdirs);
    EXPECT_EQ(std::wstring(files), Wide(root) + L"a.mp3|");
    EXPECT_EQ(std::wstring(subdirs), L"Live|");
    ::SysFreeString(files);
    ::SysFreeString(subdirs);
    ::SysFreeString(dir);
    ::SysFreeString(type);
    ::DestroyWindow(window);
}

}  // namespace
