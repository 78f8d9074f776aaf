#pragma once
// FileOpener for Windows: CreateFileW read-only, sharing read, write and delete, so a file the
// player holds open (or is about to rename) can still be read.
#include "media/byte_file.h"

namespace sq {

class Win32FileOpener final : public FileOpener {
public:
    std::unique_ptr<ByteFile> OpenRead(const std::string& path) override;
};

}  // namespace sq
