#include "stand_in_service/service.h"

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

UniqueSocket ListenOnLoopback(uint16_t& port) {
    UniqueSocket s(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s) return s;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    int len = sizeof addr;
    if (::bind(s.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(s.get(), 8) != 0 ||
        ::getsockname(s.get(), reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        return {};
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

bool Readable(SOCKET s, long seconds) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval wait{seconds, 0};
    return ::select(0, &readable, nullptr, nullptr, &wait) > 0;
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

StandInService::StandInService(uint16_t port)
    : stop_event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      request_event_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    EnsureWinsock();
    port_ = port;
    listener_ = ListenOnLoopback(port_);
    if (listener_) thread_ = std::thread([this] { Serve(); });
}

StandInService::~StandInService() {
    ::SetEvent(stop_event_.get());
    if (thread_.joinable()) thread_.join();
}

void StandInService::SetScripts(const std::vector<ServiceScript>& scripts) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (scripts.empty()) return;
    scripts_ = scripts;
    turn_ = 0;
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
    // Connections left unanswered, closed when their client gives them up or the service ends.
    std::vector<UniqueSocket> held;
    while (::WaitForSingleObject(stop_event_.get(), 0) != WAIT_OBJECT_0) {
        std::vector<WSAPOLLFD> watched{{listener_.get(), POLLRDNORM, 0}};
        for (const UniqueSocket& s : held) watched.push_back({s.get(), POLLRDNORM, 0});
        if (::WSAPoll(watched.data(), static_cast<ULONG>(watched.size()), 50) <= 0) continue;
        for (size_t i = watched.size() - 1; i > 0; --i) {
            if (watched[i].revents != 0) held.erase(held.begin() + static_cast<std::ptrdiff_t>(i - 1));
        }
        if ((watched[0].revents & POLLRDNORM) == 0) continue;
        UniqueSocket client(::accept(listener_.get(), nullptr, nullptr));
        if (client && !HandleConnection(client.get())) held.push_back(std::move(client));
    }
}

// The head, then as much body as Content-Length announces.
bool StandInService::ReadRequest(SOCKET client, ReceivedRequest& request) const {
    std::string data;
    char buffer[4096];
    size_t head_end = std::string::npos;
    for (;;) {
        head_end = data.find("\r\n\r\n");
        if (head_end != std::string::npos) break;
        if (!Readable(client, 10)) return false;
        const int got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return false;
        if (data.empty()) {
            LARGE_INTEGER now;
            ::QueryPerformanceCounter(&now);
            request.arrived_at = now.QuadPart;
        }
        data.append(buffer, static_cast<size_t>(got));
    }
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
    return true;
}

bool StandInService::HandleConnection(SOCKET client) {
    ReceivedRequest request;
    if (!ReadRequest(client, request)) return true;
    ServiceScript script;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        script = scripts_[std::min(turn_++, scripts_.size() - 1)];
    }
    ::SetEvent(request_event_.get());

    if (script.stall_ms == INFINITE) return false;
    if (script.stall_ms != 0 && ::WaitForSingleObject(stop_event_.get(), script.stall_ms) == WAIT_OBJECT_0) return true;
    if (script.drop) return true;
    const size_t body_size = script.body.size() * script.body_repeat;
    const std::string head = "HTTP/1.1 " + script.status + "\r\nContent-Type: " + script.content_type +
                             "\r\nContent-Length: " + std::to_string(body_size) + "\r\nConnection: close\r\n\r\n";
    if (!SendAll(client, head.data(), head.size())) return true;
    if (script.body_delay_ms != 0 && ::WaitForSingleObject(stop_event_.get(), script.body_delay_ms) == WAIT_OBJECT_0) {
        return true;
    }
    for (size_t i = 0; i < script.body_repeat; ++i) {
        if (!SendAll(client, script.body.data(), script.body.size())) return true;
    }
    ::shutdown(client, SD_SEND);
    // Let the client read what was sent before the socket is closed under it.
    Readable(client, 2);
    return true;
}

uint16_t UnusedPort() {
    EnsureWinsock();
    uint16_t port = 0;
    ListenOnLoopback(port);
    return port;
}

}  // namespace sqtest
