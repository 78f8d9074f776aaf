#pragma once
// A stand-in of the Sonoquill service on 127.0.0.1, on a thread of the test program. The
// plug-in reaches it as its HTTP proxy, so the request line carries the full shipped address.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sqtest {

struct ReceivedRequest {
    std::string request_line;          // "POST http://www.sonoquill.net/index.php?... HTTP/1.1"
    std::vector<std::string> headers;  // header lines in the order they came
    std::string body;
    LONGLONG arrived_at = 0;  // QueryPerformanceCounter when the request line came in

    // The value of the first header of that name (names compared case-blind), or "" if none.
    std::string Header(const std::string& name) const;
    bool HasHeader(const std::string& name) const;
};

// How the service answers the next requests.
struct ServiceScript {
    std::string status = "200 OK";
    std::string body;
    size_t body_repeat = 1;     // the body is sent this many times over (large answers)
    DWORD stall_ms = 0;         // wait this long after the request before answering (INFINITE: never)
    bool drop = false;          // close the connection instead of answering
    DWORD body_delay_ms = 0;    // pause between the head of the answer and its body
    std::string content_type = "text/html";
};

class StandInService {
public:
    StandInService();
    ~StandInService();
    StandInService(const StandInService&) = delete;
    StandInService& operator=(const StandInService&) = delete;

    bool ok() const { return listener_ != INVALID_SOCKET; }
    uint16_t port() const { return port_; }
    void SetScript(const ServiceScript& script);
    void Answer(const std::string& body) { SetScript(ServiceScript{"200 OK", body}); }
    std::vector<ReceivedRequest> Requests() const;
    size_t RequestCount() const;
    // Signalled each time a request has come in completely.
    HANDLE request_event() const { return request_event_; }

private:
    void Serve();
    void HandleConnection(SOCKET client);

    SOCKET listener_ = INVALID_SOCKET;
    uint16_t port_ = 0;
    HANDLE stop_event_ = nullptr;
    HANDLE request_event_ = nullptr;
    mutable std::mutex mutex_;
    ServiceScript script_;
    std::vector<ReceivedRequest> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on.
uint16_t UnusedPort();

}  // namespace sqtest
