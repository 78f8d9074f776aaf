#include "media/cls_mp3_error.h"

namespace sq {
namespace {

const char kSource[] = "clsMP3";

}  // namespace

std::string CauseDescription(long number) {
    switch (number) {
        case cause::kInvalidArgument: return "Invalid procedure call or argument";
        case cause::kOverflow: return "Overflow";
        case cause::kOutOfMemory: return "Out of memory";
        case cause::kSubscriptRange: return "Subscript out of range";
        case cause::kDivisionByZero: return "Division by zero";
        case cause::kTypeMismatch: return "Type mismatch";
        case cause::kFileNotFound: return "File not found";
        case cause::kDeviceIo: return "Device I/O error";
        case cause::kPastEndOfFile: return "Input past end of file";
        case cause::kPermissionDenied: return "Permission denied";
        case cause::kPathFileAccess: return "Path/File access error";
        default: return "Application-defined or object-defined error";
    }
}

ClsMP3Error Cause(long number) { return ClsMP3Error(number, kSource, CauseDescription(number)); }

void RaiseCause(long number) { throw Cause(number); }

ClsMP3Error WrapInFileStep(const ClsMP3Error& caught, const std::string& path) {
    return ClsMP3Error(caught.Number + kClsMP3ErrorOffset, kSource,
                       caught.Description + " in clsMP3 (" + path + ")");
}

ClsMP3Error WrapInReadMP3(const ClsMP3Error& caught) {
    return ClsMP3Error(caught.Number + kClsMP3ErrorOffset, kSource, caught.Description);
}

ClsMP3Error WrapInClass(const ClsMP3Error& caught) {
    return ClsMP3Error(caught.Number + kClsMP3ErrorOffset, kSource, caught.Description + " in clsMP3");
}

}  // namespace sq
