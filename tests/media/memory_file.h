#pragma once
// FileOpener over files held in memory: what the tests and the fuzz target read through.
#include <map>
#include <string>

#include "media/byte_file.h"

namespace sqtest {

class MemoryFileOpener final : public sq::FileOpener {
public:
    void Add(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
    // Opening `path` then fails with the given cause number (70 for a locked file, ...).
    void AddUnopenable(const std::string& path, long cause_number) { unopenable_[path] = cause_number; }

    std::unique_ptr<sq::ByteFile> OpenRead(const std::string& path) override;

    // How many files are open now, and how many opens there were in all.
    int open_files() const { return open_files_; }
    int opens() const { return opens_; }
    // Bytes handed out by reads so far.
    std::uint64_t bytes_read() const { return bytes_read_; }

private:
    friend class MemoryFile;
    std::map<std::string, std::string> files_;
    std::map<std::string, long> unopenable_;
    int open_files_ = 0;
    int opens_ = 0;
    std::uint64_t bytes_read_ = 0;
};

}  // namespace sqtest
