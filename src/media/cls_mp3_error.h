#pragma once
// The one error type of clsMP3: what a COM caller meets as Err.Number, Err.Source and
// Err.Description. Underlying causes carry the classic runtime's numbers and texts.
#include <exception>
#include <string>

namespace sq {

struct ClsMP3Error : std::exception {
    ClsMP3Error(long number, std::string source, std::string description)
        : Number(number), Source(std::move(source)), Description(std::move(description)) {}
    const char* what() const noexcept override { return Description.c_str(); }

    long Number;
    std::string Source;
    std::string Description;
};

// Underlying causes, numbered as the classic runtime numbers them.
namespace cause {
constexpr long kInvalidArgument = 5;     // "Invalid procedure call or argument"
constexpr long kOverflow = 6;            // "Overflow"
constexpr long kOutOfMemory = 7;         // "Out of memory"
constexpr long kSubscriptRange = 9;      // "Subscript out of range"
constexpr long kDivisionByZero = 11;     // "Division by zero"
constexpr long kTypeMismatch = 13;       // "Type mismatch"
constexpr long kFileNotFound = 53;       // "File not found"
constexpr long kDeviceIo = 57;           // "Device I/O error"
constexpr long kPastEndOfFile = 62;      // "Input past end of file"
constexpr long kPermissionDenied = 70;   // "Permission denied"
constexpr long kPathFileAccess = 75;     // "Path/File access error"
}  // namespace cause

// Every level of clsMP3 adds this to the number it caught.
constexpr long kClsMP3ErrorOffset = 9994;

// The classic runtime's English text for a cause number.
std::string CauseDescription(long number);
// An underlying failure, before any level of clsMP3 has wrapped it.
ClsMP3Error Cause(long number);
[[noreturn]] void RaiseCause(long number);

// Wrapping, one call per level that catches and reports again.
// ReadFrameHeader and ReadTags: "<description> in clsMP3 (<path>)".
ClsMP3Error WrapInFileStep(const ClsMP3Error& caught, const std::string& path);
// ReadMP3: the description unchanged.
ClsMP3Error WrapInReadMP3(const ClsMP3Error& caught);
// GenreName and SearchDir: "<description> in clsMP3".
ClsMP3Error WrapInClass(const ClsMP3Error& caught);

}  // namespace sq
