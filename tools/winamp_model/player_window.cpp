#include "player_window.h"

#include "code_page_text.h"

namespace sim {
namespace {

constexpr wchar_t kPlayerClass[] = L"Winamp v1.x";

void RegisterPlayerClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPlayerClass;
    ::RegisterClassW(&wc);  // once per process; later windows find it there
}

}  // namespace

PlayerWindow::PlayerWindow(const Profile& profile, const WindowLook& look) : Winamp(profile), shown_(profile.name) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    RegisterPlayerClass(instance);
    hwnd_ = ::CreateWindowExW(0, kPlayerClass, profile.name, look.style, look.place.left, look.place.top,
                              look.place.right, look.place.bottom, nullptr, look.menu, instance, nullptr);
    if (!hwnd_) return;
    // The class may have been registered by another window of the process: the procedure is set
    // per window.
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlayerWindow::Procedure));
}

PlayerWindow::~PlayerWindow() { Close(); }

void PlayerWindow::Close() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

void PlayerWindow::ShowCaption(const std::wstring& caption) {
    if (caption != shown_) {
        shown_ = caption;
        scroll_step_ = 0;
    }
    ShowForm();
}

void PlayerWindow::Scroll() {
    if (!scroll_title) return;
    ++scroll_step_;
    ShowForm();
}

void PlayerWindow::ShowForm() {
    if (profile().unicode_caption) {
        ::SetWindowTextW(hwnd_, (scroll_title ? ScrolledCaption(shown_, scroll_step_) : shown_).c_str());
    } else {
        // 2.x holds its caption in the code page and rotates those bytes.
        const std::string caption = EncodedText(shown_, CP_ACP);
        ::SetWindowTextA(hwnd_, (scroll_title ? ScrolledCaption(caption, scroll_step_) : caption).c_str());
    }
}

void PlayerWindow::Changed() {
    ShowCaption(Caption());
    Winamp::Changed();
}

LRESULT CALLBACK PlayerWindow::Procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<PlayerWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wp, lp);
    if (message == WM_USER) return self->Answer(wp, lp);
    if (message == WM_GETTEXT) ++self->caption_reads_;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    LRESULT result = 0;
    if (self->handle && self->handle(message, wp, lp, result)) return result;
    return ::DefWindowProcW(hwnd, message, wp, lp);
}

}  // namespace sim
