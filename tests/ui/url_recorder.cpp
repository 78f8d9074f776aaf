// Registered as the shell's http and https handler in the test prefix: appends the address it
// was started with to url_recorder.log beside itself, one line per start.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string log(path);
    log = log.substr(0, log.find_last_of("\\/") + 1) + "url_recorder.log";
    std::FILE* file = std::fopen(log.c_str(), "ab");
    if (!file) return 1;
    std::string line = argc > 1 ? argv[1] : "";
    for (int i = 2; i < argc; ++i) line += std::string(" ") + argv[i];
    line += "\n";
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
    return 0;
}
