#pragma once
// xTran: the plug-in's Internet transfer control, built on asynchronous WinINet. It lives on the
// window's thread: WinINet reports progress from its own threads, and every report is posted to
// a message-only window of the request, so state changes reach the owner as ordinary window
// events while the submission run waits for messages. One request at a time. What WinINet may
// still use of a request that has ended (a call can stay pending after its handle is closed) is
// freed when WinINet reports the request's handle closed, never before.
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <memory>
#include <string>

#include "submit/transfer.h"

namespace sq {

class TransferControl final : public Transfer {
public:
    // The plug-in's time-out for a request.
    static constexpr DWORD kDefaultRequestTimeoutMs = 60000;
    // How much of a body is kept for GetChunk; the rest of a longer answer is never read.
    static constexpr size_t kBodyLimit = 16 * 1024;

    // How a request is opened: WinINet's own, unless a test stands in to make the open fail.
    using OpenRequestFunction = decltype(&::HttpOpenRequestA);
    // WinINet alone may wait for a silent server forever: the control gives a request up after
    // `request_timeout_ms` (connect, send and receive together), ending it with icError and no body.
    explicit TransferControl(DWORD request_timeout_ms, OpenRequestFunction open_request = &::HttpOpenRequestA);
    ~TransferControl() override;
    TransferControl(const TransferControl&) = delete;
    TransferControl& operator=(const TransferControl&) = delete;

    void SetStateChangedHandler(StateChangedHandler handler) override { on_state_changed_ = std::move(handler); }

    void SetURL(const std::string& url) override { url_ = url; }

    // `data` is the body and `request_headers` CRLF-separated lines added to the request.
    bool Execute(const std::string& operation, const std::string& data, const std::string& request_headers) override;
    bool StillExecuting() const override { return request_ != nullptr; }
    std::string GetChunk(size_t size) override;
    void Cancel() override;

private:
    struct Request;
    // How a request ends: with the whole answer read (icResponseCompleted), failed (icError, the
    // body as far as it was read), timed out by the watchdog (icError, no body), or abandoned by
    // the caller, who is told nothing.
    enum class Ending { Answered, Failed, TimedOut, Abandoned };

    static LRESULT CALLBACK RequestWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    std::unique_ptr<Request> Open(const std::string& operation, const std::string& data) const;
    void Send(const std::string& request_headers);
    void OnInternetStatus(DWORD status, DWORD error);
    void OnCallCompleted(DWORD error);
    void ReadBody();
    bool FinishedAtOnce(BOOL returned);
    void KeepBody(const char* bytes, DWORD size);
    void End(Ending ending);
    void Raise(int16_t state);

    const OpenRequestFunction open_request_;
    StateChangedHandler on_state_changed_;
    const DWORD request_timeout_ms_;
    std::string url_;
    std::unique_ptr<Request> request_;
    std::string body_;
    size_t body_read_ = 0;
};

}  // namespace sq
