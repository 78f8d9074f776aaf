// A local stand-in for the Sonoquill web service, for the demo and the benchmarks: the service the
// tests run in their process (service.h), in a process of its own. It accepts HTTP requests on
// 127.0.0.1 (the plug-in reaches it as its proxy), logs each submission's request line and header
// lines, and answers with a response keyword, or not at all. Each submission's line tells when it
// was received, on the clock of the player simulator's log (performance_clock.h).
//
//   stand_in_service [--port N] [--port-file FILE] [--answer TEXT | --never-answer | --drop] [--log FILE]
//                    [--max-requests N]
//     --port N          port to listen on (default 0: any free port, see --port-file)
//     --port-file FILE  writes the port it listens on into FILE once it is listening
//     --answer TEXT     the answer body (default "Success"); "A|B|C" answers in turn, the last repeating
//     --never-answer    holds every connection open unanswered, until its client gives it up
//     --drop            closes every connection without an answer
//     --max-requests N  exits after answering N requests (default: runs until stopped)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "performance_clock.h"
#include "stand_in_service/service.h"
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

double Milliseconds(LONGLONG counter) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void LogSubmission(size_t number, const sqtest::ReceivedRequest& request, const std::string& answer) {
    Log("submission %u: %s", static_cast<unsigned>(number), request.request_line.c_str());
    Log("  received at %.3f ms", Milliseconds(request.arrived_at));
    const size_t query = request.request_line.find('?');
    if (query != std::string::npos) {
        const std::string rest = request.request_line.substr(query + 1);
        Log("  query: %s", rest.substr(0, rest.rfind(' ')).c_str());
    }
    for (const std::string& line : request.headers) Log("  header: %s", line.c_str());
    Log("  answered: %s", answer.c_str());
}

// Written under another name first, so that a reader never sees half a number.
void WritePortFile(const std::string& path, unsigned port) {
    const std::string temp = path + ".part";
    if (std::FILE* f = std::fopen(temp.c_str(), "w")) {
        std::fprintf(f, "%u\n", port);
        std::fclose(f);
        ::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}

}  // namespace

int main(int argc, char** argv) {
    unsigned port = 0;
    std::string port_file;
    std::string answers = "Success";
    enum class Manner { Answer, NeverAnswer, Drop } manner = Manner::Answer;
    size_t max_requests = 0;  // 0: no end
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--never-answer") manner = Manner::NeverAnswer;
        else if (arg == "--drop") manner = Manner::Drop;
        else if (arg == "--port" && has_value) port = static_cast<unsigned>(std::atoi(argv[++i]));
        else if (arg == "--port-file" && has_value) port_file = argv[++i];
        else if (arg == "--answer" && has_value) answers = argv[++i];
        else if (arg == "--log" && has_value) sim::OpenLogFile(argv[++i]);
        else if (arg == "--max-requests" && has_value) max_requests = static_cast<size_t>(std::atol(argv[++i]));
        else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }

    std::vector<std::string> answer_list = Split(answers, "|");
    std::vector<sqtest::ServiceScript> scripts;
    std::string manner_text = "answering \"" + answers + "\"";
    for (const std::string& answer : answer_list) scripts.push_back({"200 OK", answer});
    for (sqtest::ServiceScript& script : scripts) script.content_type = "text/plain";
    if (manner == Manner::NeverAnswer) {
        scripts = {sqtest::ServiceScript{}};
        scripts[0].stall_ms = INFINITE;
        answer_list = {"nothing, the connection held open"};
        manner_text = "never answering";
    } else if (manner == Manner::Drop) {
        scripts = {sqtest::ServiceScript{}};
        scripts[0].drop = true;
        answer_list = {"nothing, the connection closed"};
        manner_text = "closing every connection unanswered";
    }

    sqtest::StandInService service(static_cast<uint16_t>(port));
    if (!service.ok()) {
        Log("service: cannot listen on 127.0.0.1:%u", port);
        return 1;
    }
    service.SetScripts(scripts);
    if (!port_file.empty()) WritePortFile(port_file, service.port());
    Log("service: listening on 127.0.0.1:%u, %s", service.port(), manner_text.c_str());

    size_t logged = 0;
    while (max_requests == 0 || logged < max_requests) {
        ::WaitForSingleObject(service.request_event(), INFINITE);
        const std::vector<sqtest::ReceivedRequest> requests = service.Requests();
        for (; logged < requests.size() && (max_requests == 0 || logged < max_requests); ++logged) {
            LogSubmission(logged + 1, requests[logged], answer_list[std::min(logged, answer_list.size() - 1)]);
        }
    }
    // The service ends once its last answer is out.
    return 0;
}
