#pragma once
// FileOpener for POSIX systems (the native build): open(2) read-only and pread(2).
#include "media/byte_file.h"

namespace sq {

class PosixFileOpener final : public FileOpener {
public:
    std::unique_ptr<ByteFile> OpenRead(const std::string& path) override;
};

}  // namespace sq
