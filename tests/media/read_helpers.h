#pragma once
// Runs clsMP3::ReadMP3 on byte-built files and keeps what a caller would see.
#include <optional>
#include <string>

#include "media/cls_mp3.h"
#include "media/memory_file.h"

namespace sqtest {

struct ReadOutcome {
    std::optional<sq::ClsMP3Error> error;  // empty when ReadMP3 returned true
    sq::clsMP3* mp3 = nullptr;
};

class ReadFixture {
public:
    ReadFixture() : mp3(files) {}
    // Reads `bytes` stored as `path`.
    ReadOutcome Read(const std::string& bytes, const std::string& path = "song.mp3") {
        files.Add(path, bytes);
        return ReadPath(path);
    }
    ReadOutcome ReadPath(const std::string& path) {
        ReadOutcome outcome;
        outcome.mp3 = &mp3;
        try {
            if (!mp3.ReadMP3(path)) outcome.error = sq::ClsMP3Error(-1, "test", "ReadMP3 returned false");
        } catch (const sq::ClsMP3Error& e) {
            outcome.error = e;
        }
        return outcome;
    }

    sqtest::MemoryFileOpener files;
    sq::clsMP3 mp3;
};

}  // namespace sqtest
