#include "submit/win32_transfer_control.h"

#include <wininet.h>

#include <algorithm>

#include "common/win32_debug_trace.h"
#include "common/win32_module.h"
#include "common/win32_unique_handle.h"
#include "common/win32_window_class.h"
#include "submit/http_address.h"

namespace sq {
namespace {

constexpr wchar_t kRequestWindowClass[] = L"Sonoquill_xTran";
constexpr UINT kInternetStatusMessage = WM_APP + 1;
constexpr UINT_PTR kWatchdogTimerId = 1;
constexpr char kAgent[] = "Sonoquill";

// What WinINet may still use of a request after the control has ended it: a call left pending
// when the watchdog, a failure or the caller ends the request goes on until WinINet gives it up
// (its own time-out, or the server's answer or close), writing into these buffers and reporting
// through the callback. It becomes the request handle's context once that handle exists, and
// WinINet's from then on: the callback frees it on the handle's last report.
struct InFlight {
    InFlight(HWND report_window, const std::string& request_body) : window(report_window), body(request_body) {}

    // The DLL must stay loaded while WinINet may still call back into it.
    ModuleLock module_lock;
    // Where reports are posted; a post after the request's window is gone simply fails.
    const HWND window;
    // WinINet reads the body until the send has ended, however long after the request ended.
    const std::string body;
    DWORD available = 0;
    DWORD read = 0;
    char bytes[4096];
};

// Runs on WinINet's threads, or inside InternetCloseHandle. The context is the request's
// InFlight, which lives until this callback frees it: HANDLE_CLOSING is the last report WinINet
// makes for a handle, so no report can come after it. Only the request handle is ever given a
// context, and only once it exists: a report without one belongs to no request, and HANDLE_CLOSING
// with one is that handle's. Nothing else is touched: reports are posted to the request's window.
void CALLBACK InternetStatusCallback(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD info_length) {
    auto* in_flight = reinterpret_cast<InFlight*>(context);
    if (!in_flight) return;
    DWORD error = 0;
    switch (status) {
    case INTERNET_STATUS_RESOLVING_NAME:
    case INTERNET_STATUS_NAME_RESOLVED:
    case INTERNET_STATUS_CONNECTING_TO_SERVER:
    case INTERNET_STATUS_CONNECTED_TO_SERVER:
    case INTERNET_STATUS_SENDING_REQUEST:
    case INTERNET_STATUS_REQUEST_SENT:
    case INTERNET_STATUS_RECEIVING_RESPONSE:
    case INTERNET_STATUS_RESPONSE_RECEIVED:
    case INTERNET_STATUS_CLOSING_CONNECTION:
    case INTERNET_STATUS_CONNECTION_CLOSED:
        break;
    case INTERNET_STATUS_REQUEST_COMPLETE: {
        // Success is told by dwResult alone: after a query for available data, dwError carries
        // the number of bytes, not an error.
        error = ERROR_INTERNET_INTERNAL_ERROR;
        if (info && info_length >= sizeof(INTERNET_ASYNC_RESULT)) {
            const auto* result = static_cast<const INTERNET_ASYNC_RESULT*>(info);
            error = result->dwResult ? 0 : (result->dwError ? result->dwError : ERROR_INTERNET_INTERNAL_ERROR);
        }
        break;
    }
    case INTERNET_STATUS_HANDLE_CLOSING:
        delete in_flight;
        return;
    default:
        return;
    }
    ::PostMessageW(in_flight->window, kInternetStatusMessage, status, static_cast<LPARAM>(error));
}

// The request handle, which owns its InFlight once open. Closing it hands the memory to WinINet,
// which frees it with the handle's last report; the control does not touch it after that.
class RequestHandle {
public:
    RequestHandle() = default;
    ~RequestHandle() {
        if (handle_) ::InternetCloseHandle(handle_);
    }
    RequestHandle(const RequestHandle&) = delete;
    RequestHandle& operator=(const RequestHandle&) = delete;

    // The handle is opened without a context and given its InFlight only once it exists: an open
    // that fails may still report the handle it made and dropped, even after it has returned, when
    // the memory it was handed would be gone. A handle without a context reports nothing (one that
    // refuses the context is closed silent, its InFlight still the control's to free), and none of
    // the request's reports comes before the send.
    bool Open(TransferControl::OpenRequestFunction open_request, HINTERNET connection, const std::string& operation,
              const std::string& object, DWORD flags, std::unique_ptr<InFlight> in_flight) {
        handle_ = open_request(connection, operation.c_str(), object.c_str(), nullptr, nullptr, nullptr, flags, 0);
        if (!handle_) return false;
        auto context = reinterpret_cast<DWORD_PTR>(in_flight.get());
        if (!::InternetSetOptionA(handle_, INTERNET_OPTION_CONTEXT_VALUE, &context, sizeof context)) return false;
        in_flight_ = in_flight.release();
        return true;
    }
    HINTERNET get() const { return handle_; }
    InFlight& in_flight() const { return *in_flight_; }

private:
    HINTERNET handle_ = nullptr;
    InFlight* in_flight_ = nullptr;
};

int16_t StateOfStatus(DWORD status) {
    switch (status) {
    case INTERNET_STATUS_RESOLVING_NAME: return TransferControl::icResolvingHost;
    case INTERNET_STATUS_NAME_RESOLVED: return TransferControl::icHostResolved;
    case INTERNET_STATUS_CONNECTING_TO_SERVER: return TransferControl::icConnecting;
    case INTERNET_STATUS_CONNECTED_TO_SERVER: return TransferControl::icConnected;
    case INTERNET_STATUS_SENDING_REQUEST: return TransferControl::icRequesting;
    case INTERNET_STATUS_REQUEST_SENT: return TransferControl::icRequestSent;
    case INTERNET_STATUS_RECEIVING_RESPONSE: return TransferControl::icReceivingResponse;
    case INTERNET_STATUS_RESPONSE_RECEIVED: return TransferControl::icResponseReceived;
    case INTERNET_STATUS_CLOSING_CONNECTION: return TransferControl::icDisconnecting;
    case INTERNET_STATUS_CONNECTION_CLOSED: return TransferControl::icDisconnected;
    default: return TransferControl::icNone;
    }
}

bool HasStatusLine(HINTERNET request) {
    DWORD code = 0;
    DWORD size = sizeof code;
    return ::HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, nullptr) && code != 0;
}

// The message-only window a request's reports are posted to; it knows its control.
UniqueWindow CreateReportWindow(WNDPROC window_proc, const TransferControl* control) {
    WNDCLASSEXW window_class{};
    window_class.lpfnWndProc = window_proc;
    window_class.lpszClassName = kRequestWindowClass;
    if (!RegisterModuleWindowClass(window_class)) return {};
    UniqueWindow window(::CreateWindowExW(0, kRequestWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          ModuleInstance(), nullptr));
    if (window) ::SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    return window;
}

}  // namespace

struct TransferControl::Request {
    enum class Phase { Sending, Querying, Reading };

    // Destroyed last, after the handles: no report is posted to it for handles still open.
    UniqueWindow window;
    UniqueInternet session;
    UniqueInternet connection;
    // Closed first.
    RequestHandle request;
    Phase phase = Phase::Sending;
    // A call WinINet has not finished yet; its completion is the next report that counts.
    bool async_pending = false;
};

TransferControl::TransferControl(DWORD request_timeout_ms, OpenRequestFunction open_request)
    : open_request_(open_request), request_timeout_ms_(request_timeout_ms) {}

TransferControl::~TransferControl() { Cancel(); }

bool TransferControl::Execute(const std::string& operation, const std::string& data,
                              const std::string& request_headers) {
    if (request_) return false;
    body_.clear();
    body_read_ = 0;
    request_ = Open(operation, data);
    if (!request_) {
        Raise(icError);
        return true;
    }
    Send(request_headers);
    return true;
}

// The request's window, its handles and its watchdog; null when any of them cannot be made.
std::unique_ptr<TransferControl::Request> TransferControl::Open(const std::string& operation,
                                                                const std::string& data) const {
    const std::optional<HttpAddress> address = SplitHttpAddress(url_);
    if (!address) return nullptr;
    auto request = std::make_unique<Request>();
    request->window = CreateReportWindow(&TransferControl::RequestWindowProc, this);
    if (!request->window) return nullptr;

    // The system's proxy settings, as users behind a proxy need.
    request->session.reset(::InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_ASYNC));
    if (!request->session ||
        ::InternetSetStatusCallback(request->session.get(), &InternetStatusCallback) == INTERNET_INVALID_STATUS_CALLBACK) {
        return nullptr;
    }
    // No context: WinINet reports nothing for the connection (its last report could come after
    // the request's memory is freed); everything the control follows is reported for the request.
    request->connection.reset(::InternetConnectA(request->session.get(), address->host.c_str(), address->port, nullptr,
                                                 nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!request->connection) return nullptr;
    DWORD timeout = request_timeout_ms_;
    ::InternetSetOptionA(request->connection.get(), INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
    ::InternetSetOptionA(request->connection.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);

    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
    if (address->secure) flags |= INTERNET_FLAG_SECURE;
    if (!request->request.Open(open_request_, request->connection.get(), operation, address->object, flags,
                               std::make_unique<InFlight>(request->window.get(), data))) {
        return nullptr;
    }
    ::SetTimer(request->window.get(), kWatchdogTimerId, request_timeout_ms_, nullptr);
    return request;
}

void TransferControl::Send(const std::string& request_headers) {
    Request& r = *request_;
    if (!request_headers.empty() &&
        !::HttpAddRequestHeadersA(r.request.get(), request_headers.c_str(), static_cast<DWORD>(request_headers.size()),
                                  HTTP_ADDREQ_FLAG_ADD)) {
        End(Ending::Failed);
        return;
    }
    // An empty body goes out as no body at all.
    const std::string& body = r.request.in_flight().body;
    void* optional = body.empty() ? nullptr : const_cast<char*>(body.data());
    if (FinishedAtOnce(::HttpSendRequestA(r.request.get(), nullptr, 0, optional, static_cast<DWORD>(body.size())))) {
        // Carried on from the message loop, as a pending send is.
        r.async_pending = true;
        ::PostMessageW(r.window.get(), kInternetStatusMessage, INTERNET_STATUS_REQUEST_COMPLETE, 0);
    }
}

LRESULT CALLBACK TransferControl::RequestWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TransferControl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->request_ || self->request_->window.get() != hwnd) return ::DefWindowProcW(hwnd, msg, wp, lp);
    try {
        if (msg == kInternetStatusMessage) {
            self->OnInternetStatus(static_cast<DWORD>(wp), static_cast<DWORD>(lp));
            return 0;
        }
        if (msg == WM_TIMER && wp == kWatchdogTimerId) {
            self->End(Ending::TimedOut);
            return 0;
        }
    } catch (...) {
        // Nothing may unwind into the player's message loop.
        TraceCaughtException(L"xTran", L"a transfer report cannot be handled");
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void TransferControl::OnInternetStatus(DWORD status, DWORD error) {
    if (status == INTERNET_STATUS_REQUEST_COMPLETE) {
        OnCallCompleted(error);
    } else {
        Raise(StateOfStatus(status));
    }
}

// The call left pending has ended: the send (the answer's head has come), a query or a read.
void TransferControl::OnCallCompleted(DWORD error) {
    Request& r = *request_;
    // WinINet may also report completion of calls that already finished at once; only the one
    // call that was left pending moves the request on.
    if (!r.async_pending) return;
    r.async_pending = false;
    if (error != 0) {
        End(Ending::Failed);
        return;
    }
    if (r.phase == Request::Phase::Sending && !HasStatusLine(r.request.get())) {
        // The connection was dropped before any answer came: a failure, not an empty answer.
        End(Ending::Failed);
        return;
    }
    if (r.phase == Request::Phase::Reading) {
        const InFlight& in_flight = r.request.in_flight();
        if (in_flight.read == 0) {
            End(Ending::Answered);
            return;
        }
        KeepBody(in_flight.bytes, in_flight.read);
    }
    ReadBody();
}

// Reads what WinINet has of the body, up to kBodyLimit; a call left pending carries on from its
// completion.
void TransferControl::ReadBody() {
    Request& r = *request_;
    InFlight& in_flight = r.request.in_flight();
    while (body_.size() < kBodyLimit) {
        r.phase = Request::Phase::Querying;
        if (!FinishedAtOnce(::InternetQueryDataAvailable(r.request.get(), &in_flight.available, 0, 0))) return;
        if (in_flight.available == 0) break;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(
            {static_cast<size_t>(in_flight.available), sizeof in_flight.bytes, kBodyLimit - body_.size()}));
        r.phase = Request::Phase::Reading;
        in_flight.read = 0;
        if (!FinishedAtOnce(::InternetReadFile(r.request.get(), in_flight.bytes, want, &in_flight.read))) return;
        if (in_flight.read == 0) break;
        KeepBody(in_flight.bytes, in_flight.read);
    }
    End(Ending::Answered);
}

// The step after every call WinINet may finish later: true when it finished at once. Otherwise
// the request waits for the call's completion, or, when the call failed, has ended.
bool TransferControl::FinishedAtOnce(BOOL returned) {
    if (returned) return true;
    if (::GetLastError() == ERROR_IO_PENDING) {
        request_->async_pending = true;
    } else {
        End(Ending::Failed);
    }
    return false;
}

void TransferControl::KeepBody(const char* bytes, DWORD size) {
    body_.append(bytes, std::min<size_t>(size, kBodyLimit - body_.size()));
}

void TransferControl::End(Ending ending) {
    if (!request_) return;
    // Destroying the request window here is safe even while one of its messages is handled.
    request_.reset();
    switch (ending) {
    case Ending::Answered:
        Raise(icResponseCompleted);
        break;
    case Ending::TimedOut:
        // Given up: whatever was read so far is dropped, so the answer is empty.
        body_.clear();
        Raise(icError);
        break;
    case Ending::Failed:
        Raise(icError);
        break;
    case Ending::Abandoned:
        break;
    }
}

void TransferControl::Cancel() { End(Ending::Abandoned); }

std::string TransferControl::GetChunk(size_t size) {
    if (request_) return {};
    const size_t take = std::min(size, body_.size() - body_read_);
    std::string piece = body_.substr(body_read_, take);
    body_read_ += take;
    return piece;
}

void TransferControl::Raise(int16_t state) {
    if (!on_state_changed_) return;
    try {
        on_state_changed_(state);
    } catch (...) {
        // A failing handler changes nothing about the transfer.
        TraceCaughtException(L"xTran", L"the state-change handler failed");
    }
}

}  // namespace sq
