// A local stand-in for the Sonoquill web service: it accepts HTTP requests on 127.0.0.1 (the
// plug-in reaches it as its proxy), logs each submission's request line and header lines, and
// answers with a response keyword. Each submission's line tells when it was received, on the
// clock of the player simulator's log (performance_clock.h).
//
//   stand_in_service [--port N] [--port-file FILE] [--answer TEXT] [--log FILE] [--max-requests N]
//     --port N          port to listen on (default 0: any free port, see --port-file)
//     --port-file FILE  writes the port it listens on into FILE once it is listening
//     --answer TEXT     the answer body (default "Success"); "A|B|C" answers in turn, the last repeating
//     --max-requests N  exits after answering N requests (default: runs until stopped)
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "performance_clock.h"
#include "tool_log.h"

namespace {

using sim::Log;

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string::npos) return parts;
        start = at + separator.size();
    }
}

// Reads the request head (up to the blank line) and any body its Content-Length announces.
bool ReadRequest(SOCKET client, std::string& head) {
    std::string data;
    char buffer[4096];
    size_t head_end = std::string::npos;
    while ((head_end = data.find("\r\n\r\n")) == std::string::npos) {
        const int n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0 || data.size() > 65536) return false;
        data.append(buffer, static_cast<size_t>(n));
    }
    head = data.substr(0, head_end);
    size_t body_length = 0;
    for (const std::string& line : Split(head, "\r\n")) {
        if (_strnicmp(line.c_str(), "Content-Length:", 15) == 0) body_length = std::strtoul(line.c_str() + 15, nullptr, 10);
    }
    size_t have = data.size() - head_end - 4;
    while (have < body_length && body_length < 65536) {
        const int n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        have += static_cast<size_t>(n);
    }
    return true;
}

void LogSubmission(int number, const std::string& head, double received_ms, const std::string& answer) {
    const std::vector<std::string> lines = Split(head, "\r\n");
    Log("submission %d: %s", number, lines[0].c_str());
    Log("  received at %.3f ms", received_ms);
    const size_t query = lines[0].find('?');
    if (query != std::string::npos) {
        const std::string rest = lines[0].substr(query + 1);
        Log("  query: %s", rest.substr(0, rest.rfind(' ')).c_str());
    }
    for (size_t i = 1; i < lines.size(); ++i) Log("  header: %s", lines[i].c_str());
    Log("  answered: %s", answer.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    unsigned short port = 0;
    std::string port_file;
    std::string answers = "Success";
    long max_requests = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--port") port = static_cast<unsigned short>(std::atoi(argv[i + 1]));
        else if (arg == "--port-file") port_file = argv[i + 1];
        else if (arg == "--answer") answers = argv[i + 1];
        else if (arg == "--log") sim::OpenLogFile(argv[i + 1]);
        else if (arg == "--max-requests") max_requests = std::atol(argv[i + 1]);
        else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }
    const std::vector<std::string> answer_list = Split(answers, "|");

    WSADATA wsa;
    if (::WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 1;
    SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (listener == INVALID_SOCKET || ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 8) != 0) {
        Log("service: cannot listen on 127.0.0.1:%u", port);
        return 1;
    }
    int length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    if (!port_file.empty()) {
        // Written under another name first, so that a reader never sees half a number.
        const std::string temp = port_file + ".part";
        if (std::FILE* f = std::fopen(temp.c_str(), "w")) {
            std::fprintf(f, "%u\n", port);
            std::fclose(f);
            ::MoveFileExA(temp.c_str(), port_file.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
    }
    Log("service: listening on 127.0.0.1:%u, answering \"%s\"", port, answers.c_str());

    for (int number = 1; max_requests < 0 || number <= max_requests; ++number) {
        SOCKET client = ::accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) break;
        std::string head;
        if (!ReadRequest(client, head)) {
            ::closesocket(client);
            --number;
            continue;
        }
        const double received_ms = sim::PerformanceMilliseconds();
        const std::string& answer = answer_list[std::min(answer_list.size(), static_cast<size_t>(number)) - 1];
        const std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                                     std::to_string(answer.size()) + "\r\nConnection: close\r\n\r\n" + answer;
        ::send(client, response.data(), static_cast<int>(response.size()), 0);
        ::shutdown(client, SD_SEND);
        ::closesocket(client);
        LogSubmission(number, head, received_ms, answer);
    }
    ::closesocket(listener);
    ::WSACleanup();
    return 0;
}
