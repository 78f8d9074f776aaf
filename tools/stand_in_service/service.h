#pragma once
// The stand-in of the Sonoquill service: it listens on 127.0.0.1 and serves on a thread of its
// own, recording every request and answering as its script says. The tests and benchmarks run it
// in their own process; stand_in_service.exe runs it in a process of its own for the demo. The
// plug-in reaches it as its HTTP proxy, so the request line carries the full shipped address.
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/owning_handle.h"
#include "common/win32_unique_handle.h"

namespace sqtest {

struct SocketTraits {
    using Handle = SOCKET;
    static Handle Empty() noexcept { return INVALID_SOCKET; }
    static void Close(Handle s) noexcept { ::closesocket(s); }
};
using UniqueSocket = sq::UniqueHandle<SocketTraits>;

struct ReceivedRequest {
    std::string request_line;          // "POST http://www.sonoquill.net/index.php?... HTTP/1.1"
    std::vector<std::string> headers;  // header lines in the order they came
    std::string body;
    LONGLONG arrived_at = 0;  // QueryPerformanceCounter when the request's first byte came in

    // The value of the first header of that name (names compared case-blind), or "" if none.
    std::string Header(const std::string& name) const;
    bool HasHeader(const std::string& name) const;
};

// How the service answers a request.
struct ServiceScript {
    std::string status = "200 OK";
    std::string body;
    size_t body_repeat = 1;   // the body is sent this many times over (large answers)
    // Wait this long after the request before answering. INFINITE: never answer, and hold the
    // connection open until the client gives it up or the service ends.
    DWORD stall_ms = 0;
    bool drop = false;        // close the connection instead of answering
    DWORD body_delay_ms = 0;  // pause between the head of the answer and its body
    std::string content_type = "text/html";
};

class StandInService {
public:
    // Listens on `port` of 127.0.0.1; 0 takes any free port (see port()).
    explicit StandInService(uint16_t port = 0);
    ~StandInService();
    StandInService(const StandInService&) = delete;
    StandInService& operator=(const StandInService&) = delete;

    bool ok() const { return static_cast<bool>(listener_); }
    uint16_t port() const { return port_; }
    // How the next requests are answered.
    void SetScript(const ServiceScript& script) { SetScripts({script}); }
    // The next requests are answered by these in turn, the last one repeating.
    void SetScripts(const std::vector<ServiceScript>& scripts);
    void Answer(const std::string& body) { SetScript(ServiceScript{"200 OK", body}); }
    std::vector<ReceivedRequest> Requests() const;
    size_t RequestCount() const;
    // Signalled each time a request has come in completely, before it is answered.
    HANDLE request_event() const { return request_event_.get(); }

private:
    void Serve();
    bool ReadRequest(SOCKET client, ReceivedRequest& request) const;
    // False when the connection is to be held open, unanswered.
    bool HandleConnection(SOCKET client);

    UniqueSocket listener_;
    uint16_t port_ = 0;
    sq::UniqueKernelHandle stop_event_;
    sq::UniqueKernelHandle request_event_;
    mutable std::mutex mutex_;
    std::vector<ServiceScript> scripts_{ServiceScript{}};
    size_t turn_ = 0;  // requests answered since the scripts were set
    std::vector<ReceivedRequest> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on.
uint16_t UnusedPort();

}  // namespace sqtest
