#include "ui/win32_logo_picture.h"

#include <cstring>

#include "common/win32_com_apartment.h"
#include "common/win32_gdi_scope.h"
#include "common/win32_unique_handle.h"

namespace sq {

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

    // The stream takes a movable copy and frees it when the stream ends.
    UniqueGlobal copy(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!copy) return false;
    void* target = ::GlobalLock(copy.get());
    if (!target) return false;
    std::memcpy(target, data, bytes);
    ::GlobalUnlock(copy.get());
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(copy.get(), TRUE, stream.put()))) return false;
    (void)copy.release();

    // OLE's loader hands JPEG decoding to the imaging component, which needs COM on this thread.
    // The player has it already; a host that has not gets it for the length of the load only.
    const ComApartment com;
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
    const UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    if (!memory) return;
    const SelectedObject picture(memory.get(), bitmap_);
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    const int cx = ::MulDiv(size_.cx, dpi, 96);
    const int cy = ::MulDiv(size_.cy, dpi, 96);
    if (cx == size_.cx && cy == size_.cy) {
        ::BitBlt(dc, box.left, box.top, cx, cy, memory.get(), 0, 0, SRCCOPY);
    } else {
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, box.left, box.top, cx, cy, memory.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
    }
    ::RestoreDC(dc, saved);
}

}  // namespace sq
