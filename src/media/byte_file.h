#pragma once
// The byte-level view of an audio file that clsMP3 reads through. The reader never writes,
// creates or changes a file; the platform decides how a path is opened.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace sq {

// One file, open for reading only until the object ends.
class ByteFile {
public:
    virtual ~ByteFile() = default;
    virtual std::uint64_t Length() const = 0;
    // Reads up to `count` bytes at `offset` and returns how many were read: fewer only where
    // the file ends. A device failure is thrown as ClsMP3Error.
    virtual std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) = 0;
};

// Opens a path for reading; a file that cannot be opened is thrown as ClsMP3Error
// (53 missing, 70 locked, 75 not accessible).
class FileOpener {
public:
    virtual ~FileOpener() = default;
    virtual std::unique_ptr<ByteFile> OpenRead(const std::string& path) = 0;
};

}  // namespace sq
