#include "media/win32_cls_mp3_com.h"

#include "common/win32_ansi_text.h"
#include "common/win32_com_boundary.h"
#include "common/win32_com_ptr.h"
#include "common/win32_debug_trace.h"
#include "common/scope_exit.h"
#include "media/win32_folder_lister.h"
#include "common/win32_message_pump.h"

namespace sq {

HRESULT CreateClsMP3(REFIID iid, void** out) { return ClsMP3Object::Make(iid, out); }

HRESULT ClsMP3Object::GetText(const std::string& member, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return HresultAtBoundary(L"clsMP3", [&] {
        *value = BstrFromAnsi(member);
        return *value ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT ClsMP3Object::PutText(std::string& member, BSTR value) {
    return HresultAtBoundary(L"clsMP3", [&] {
        member = AnsiFromBstr(value);
        return S_OK;
    });
}

STDMETHODIMP ClsMP3Object::get_VBR(VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    *value = mp3_.VBR ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP ClsMP3Object::put_VBR(VARIANT_BOOL value) {
    mp3_.VBR = value != VARIANT_FALSE;
    return S_OK;
}

template <typename Body>
HRESULT ClsMP3Object::RunMethod(VARIANT_BOOL* result, Body body) noexcept {
    if (!result) return E_POINTER;
    *result = VARIANT_FALSE;
    try {
        body();
        *result = VARIANT_TRUE;
        ::SetErrorInfo(0, nullptr);
        return S_OK;
    } catch (const ClsMP3Error& error) {
        return Report(error);
    } catch (...) {
        return TraceCaughtException(L"clsMP3");
    }
}

STDMETHODIMP ClsMP3Object::SearchDir(BSTR RootDir, BSTR FileType, VARIANT_BOOL* result) {
    // Waiting events may run a handler that drops the caller's last reference.
    ComPtr<_clsMP3> keep_alive(this);
    return RunMethod(result, [&] {
        Win32FolderLister lister;
        mp3_.SearchDir(AnsiFromBstr(RootDir), AnsiFromBstr(FileType), lister, [] { DoEvents(); });
    });
}

STDMETHODIMP ClsMP3Object::ReadMP3(VARIANT FileName, VARIANT_BOOL* result) {
    return RunMethod(result, [&] {
        // Any value that converts to text will do; booleans convert as "True" and "False".
        VARIANT text;
        ::VariantInit(&text);
        ScopeExit clear_text([&text] { ::VariantClear(&text); });
        if (FAILED(::VariantChangeType(&text, &FileName, VARIANT_ALPHABOOL, VT_BSTR))) {
            throw WrapInReadMP3(Cause(cause::kTypeMismatch));
        }
        // A name the code page cannot hold is read under its code-page form, which the
        // properties and error texts report as they always have, from the file it names.
        const std::string path = AnsiFromBstr(text.bstrVal);
        const std::wstring wide = text.bstrVal ? std::wstring(text.bstrVal, ::SysStringLen(text.bstrVal)) : std::wstring();
        files_.NameWidePath(WideFromAnsi(path) == wide ? std::string() : path, wide);
        mp3_.ReadMP3(path);
    });
}

STDMETHODIMP ClsMP3Object::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == IID__clsMP3 ? S_OK : S_FALSE;
}

HRESULT ClsMP3Object::Report(const ClsMP3Error& error) noexcept {
    try {
        SetCallerErrorInfo(error);
    } catch (...) {
        TraceCaughtException(L"clsMP3", L"the error information cannot be set");
        ::SetErrorInfo(0, nullptr);  // the number still tells the caller what went wrong
    }
    return ClsMP3Failure(error.Number);
}

void ClsMP3Object::SetCallerErrorInfo(const ClsMP3Error& error) {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(::CreateErrorInfo(create.put()))) {
        create->SetGUID(IID__clsMP3);
        const std::wstring source = WideFromAnsi(error.Source);
        const std::wstring description = WideFromAnsi(error.Description);
        create->SetSource(const_cast<LPOLESTR>(source.c_str()));
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, info.put_void()))) ::SetErrorInfo(0, info.get());
    }
}

}  // namespace sq
