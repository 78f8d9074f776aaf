#include "submit/stand_in_service.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cstdlib>

namespace sqtest {
namespace {

struct WinsockInit {
    WinsockInit() {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
};

void EnsureWinsock() { static WinsockInit init; }

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return s;
}

SOCKET ListenOnLoopback(uint16_t& port) {
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    int len = sizeof addr;
    if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(s, 8) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(addr.sin_port);
    return s;
}

bool SendAll(SOCKET s, const char* data, size_t size) {
    while (size > 0) {
        const int sent = ::send(s, data, static_cast<int>(std::min<size_t>(size, 65536)), 0);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

}  // namespace

std::string ReceivedRequest::Header(const std::string& name) const {
    const std::string wanted = Lower(name) + ":";
    for (const std::string& line : headers) {
        if (Lower(line.substr(0, wanted.size())) != wanted) continue;
        std::string value = line.substr(wanted.size());
        value.erase(0, value.find_first_not_of(' '));
        return value;
    }
    return {};
}

bool ReceivedRequest::HasHeader(const std::string& name) const {
    const std::string wanted = Lower(name) + ":";
    return std::any_of(headers.begin(), headers.end(),
                       [&](const std::string& line) { return Lower(line.substr(0, wanted.size())) == wanted; });
}

StandInService::StandInService() {
    EnsureWinsock();
    stop_event_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    request_event_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    listener_ = ListenOnLoopback(port_);
    if (listener_ != INVALID_SOCKET) thread_ = std::thread([this] { Serve(); });
}

StandInService::~StandInService() {
    ::SetEvent(stop_event_);
    if (thread_.joinable()) thread_.join();
    if (listener_ != INVALID_SOCKET) ::closesocket(listener_);
    ::CloseHandle(stop_event_);
    ::CloseHandle(request_event_);
}

void StandInService::SetScript(const ServiceScript& script) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_ = script;
}

std::vector<ReceivedRequest> StandInService::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

size_t StandInService::RequestCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_.size();
}

void StandInService::Serve() {
    while (::WaitForSingleObject(stop_event_, 0) != WAIT_OBJECT_0) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listener_, &readable);
        timeval wait{0, 50 * 1000};
        if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
        SOCKET client = ::accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        HandleConnection(client);
        ::closesocket(client);
    }
}

void StandInService::HandleConnection(SOCKET client) {
    // Read the head, then as much body as Content-Length announces.
    std::string data;
    char buffer[4096];
    LONGLONG first_byte_at = 0;
    size_t head_end = std::string::npos;
    for (;;) {
        head_end = data.find("\r\n\r\n");
        if (head_end != std::string::npos) break;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client, &readable);
        timeval wait{10, 0};
        if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) return;
        const int got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        if (data.empty()) {
            LARGE_INTEGER now;
            ::QueryPerformanceCounter(&now);
            first_byte_at = now.QuadPart;
        }
        data.append(buffer, static_cast<size_t>(got));
    }
    ReceivedRequest request;
    request.arrived_at = first_byte_at;
    size_t line_start = 0;
    for (size_t at = data.find("\r\n"); line_start < head_end; at = data.find("\r\n", line_start)) {
        std::string line = data.substr(line_start, at - line_start);
        if (request.request_line.empty()) request.request_line = line;
        else request.headers.push_back(line);
        line_start = at + 2;
    }
    request.body = data.substr(head_end + 4);
    const size_t length = static_cast<size_t>(std::strtoul(request.Header("Content-Length").c_str(), nullptr, 10));
    while (request.body.size() < length) {
        const int got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.body.append(buffer, static_cast<size_t>(got));
    }
    ServiceScript script;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        script = script_;
    }
    ::SetEvent(request_event_);

    if (script.stall_ms != 0) {
        if (::WaitForSingleObject(stop_event_, script.stall_ms) == WAIT_OBJECT_0) return;
    }
    if (script.drop) return;
    const size_t body_size = script.body.size() * script.body_repeat;
    const std::string head = "HTTP/1.1 " + script.status + "\r\nContent-Type: " + script.content_type +
                             "\r\nContent-Length: " + std::to_string(body_size) + "\r\nConnection: close\r\n\r\n";
    if (!SendAll(client, head.data(), head.size())) return;
    if (script.body_delay_ms != 0 && ::WaitForSingleObject(stop_event_, script.body_delay_ms) == WAIT_OBJECT_0) return;
    for (size_t i = 0; i < script.body_repeat; ++i) {
        if (!SendAll(client, script.body.data(), script.body.size())) return;
    }
    ::shutdown(client, SD_SEND);
    // Let the client read what was sent before the socket is closed under it.
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(client, &readable);
    timeval wait{2, 0};
    ::select(0, &readable, nullptr, nullptr, &wait);
}

uint16_t UnusedPort() {
    EnsureWinsock();
    uint16_t port = 0;
    SOCKET s = ListenOnLoopback(port);
    if (s != INVALID_SOCKET) ::closesocket(s);
    return port;
}

}  // namespace sqtest
