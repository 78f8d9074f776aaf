#pragma once
// FileOpener over real files for the native tests and benchmarks: open(2) read-only and pread(2).
// The product reads through the Windows file layer alone; this one lets the portable core meet
// files on disk (encoder output, sparse files of hundreds of megabytes) where Wine is not needed.
#include "media/byte_file.h"

namespace sq {

class PosixFileOpener final : public FileOpener {
public:
    std::unique_ptr<ByteFile> OpenRead(const std::string& path) override;
};

}  // namespace sq
