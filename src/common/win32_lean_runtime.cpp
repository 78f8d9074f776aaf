// Linked into the shipped DLLs only, in place of two parts of the static C++ runtime that
// would bring in most of a DLL's size for paths the product never takes:
// - the throw helpers behind the standard library's own checks (a string index out of range,
//   a length past max_size()): the library's versions build std::logic_error and its kin,
//   which drag in a second string implementation, its formatting and their unwind tables;
// - the default terminate handler, which prints a demangled type name through printf.
// A failed check still throws, only with a small exception type of its own: a standard
// exception with the library's text, which the catch-all that meets it traces as it would the
// library's own (common/caught_exception.h). Defining all of the library's helpers
// of that object here keeps it out of the link; were anything to need it still, the link
// fails with "multiple definition" rather than growing quietly.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryCheckFailed final : public std::exception {
public:
    explicit LibraryCheckFailed(const char* what) noexcept : what_(what) {}
    const char* what() const noexcept override { return what_; }

private:
    const char* what_;
};

}  // namespace

// Replacing the library's helpers takes their reserved names, in std, and the variadic one as declared.
// NOLINTBEGIN(bugprone-reserved-identifier, cert-dcl37-c, cert-dcl51-cpp, cert-dcl58-cpp, cert-dcl50-cpp)
namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* what) { throw LibraryCheckFailed(what); }
void __throw_domain_error(const char* what) { throw LibraryCheckFailed(what); }
void __throw_invalid_argument(const char* what) { throw LibraryCheckFailed(what); }
void __throw_length_error(const char* what) { throw LibraryCheckFailed(what); }
void __throw_out_of_range(const char* what) { throw LibraryCheckFailed(what); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryCheckFailed(format); }
void __throw_runtime_error(const char* what) { throw LibraryCheckFailed(what); }
void __throw_range_error(const char* what) { throw LibraryCheckFailed(what); }
void __throw_overflow_error(const char* what) { throw LibraryCheckFailed(what); }
void __throw_underflow_error(const char* what) { throw LibraryCheckFailed(what); }

}  // namespace std
// NOLINTEND(bugprone-reserved-identifier, cert-dcl37-c, cert-dcl51-cpp, cert-dcl58-cpp, cert-dcl50-cpp)

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
