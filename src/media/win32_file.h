#pragma once
// FileOpener for Windows: CreateFileW read-only, sharing read, write and delete, so a file the
// player holds open (or is about to rename) can still be read.
#include <string>
#include <utility>

#include "media/byte_file.h"

namespace sq {

class Win32FileOpener final : public FileOpener {
public:
    std::unique_ptr<ByteFile> OpenRead(const std::string& path) override;

    // From now on `name` opens the file at `wide_path`. A path the code page cannot hold reaches
    // clsMP3 under its code-page form ("?" for what the code page lacks, which no real file name
    // holds), so everything clsMP3 reports about it (error texts included) stays in that form,
    // while the bytes come from the real file.
    void NameWidePath(std::string name, std::wstring wide_path) {
        named_ = std::move(name);
        wide_path_ = std::move(wide_path);
    }

private:
    std::string named_;
    std::wstring wide_path_;
};

}  // namespace sq
