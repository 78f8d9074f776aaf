#include "ui/logo_picture.h"

#include <cstring>

#include "common/unique_handle.h"

namespace sq {
namespace {

// OLE's loader hands JPEG decoding to the imaging component, which needs COM on this thread. The
// player has it already; a host that has not gets it for the length of the load only.
class ComForThisCall {
public:
    ComForThisCall() : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForThisCall() {
        if (SUCCEEDED(hr_)) ::CoUninitialize();
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

private:
    HRESULT hr_;
};

}  // namespace

void LogoPicture::Load(HINSTANCE module, const wchar_t* name) {
    picture_.reset();
    bitmap_ = nullptr;
    module_ = module;
    name_ = name;
    decoded_ = false;
}

bool LogoPicture::Decode() {
    HRSRC info = ::FindResourceW(module_, name_, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!info) return false;
    const DWORD bytes = ::SizeofResource(module_, info);
    HGLOBAL loaded = ::LoadResource(module_, info);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data || bytes == 0) return false;

    // The stream owns a movable copy, freed with it.
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!copy) return false;
    if (void* target = ::GlobalLock(copy)) {
        std::memcpy(target, data, bytes);
        ::GlobalUnlock(copy);
    } else {
        ::GlobalFree(copy);
        return false;
    }
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(copy, TRUE, stream.put()))) {
        ::GlobalFree(copy);
        return false;
    }

    ComForThisCall com;
    ComPtr<IPicture> picture;
    if (FAILED(::OleLoadPicture(stream.get(), static_cast<LONG>(bytes), FALSE, IID_IPicture, picture.put_void())) ||
        !picture)
        return false;
    short type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle))) return false;
    BITMAP bitmap{};
    if (!::GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof bitmap, &bitmap)) return false;
    size_ = SIZE{bitmap.bmWidth, bitmap.bmHeight};
    bitmap_ = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    picture_ = picture;
    return true;
}

void LogoPicture::Draw(HDC dc, const RECT& box, int dpi) {
    if (!decoded_) {
        decoded_ = true;
        Decode();
    }
    if (!picture_ || !bitmap_) return;
    HDC memory = ::CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = ::SelectObject(memory, bitmap_);
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    const int cx = ::MulDiv(size_.cx, dpi, 96);
    const int cy = ::MulDiv(size_.cy, dpi, 96);
    if (cx == size_.cx && cy == size_.cy) {
        ::BitBlt(dc, box.left, box.top, cx, cy, memory, 0, 0, SRCCOPY);
    } else {
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, box.left, box.top, cx, cy, memory, 0, 0, size_.cx, size_.cy, SRCCOPY);
    }
    ::RestoreDC(dc, saved);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

}  // namespace sq
