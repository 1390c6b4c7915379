// Lean replacements for two corners of the C++ run time that the installer never needs in
// their full form. Linked into the program itself (not the library), so the linker takes
// these before it would reach for the run time's own.
//
// - The default terminate handler prints the demangled type of an uncaught exception to a
//   console this GUI program does not have, and brings a 45 KB demangler along. Every
//   exception is caught at the entry or at a window procedure, so a plain end is enough.
// - The standard library reports misuse (a string grown past its maximum, an index out of
//   range, memory exhausted) through these __throw functions. Their own versions build
//   std::logic_error and friends, which drag in a second, reference-counted string
//   implementation of some 40 KB. Here they raise the installer's own exception, whose
//   message the application's handler shows like any other error.
#include <cstdlib>
#include <new>

#include "util/exceptions.h"

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
[[noreturn]] void __throw_bad_alloc() { throw std::bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw std::bad_alloc(); }
[[noreturn]] void __throw_length_error(const char* what) { throw tarnwick::Exception(what); }
[[noreturn]] void __throw_logic_error(const char* what) { throw tarnwick::Exception(what); }
[[noreturn]] void __throw_out_of_range(const char* what) { throw tarnwick::Exception(what); }
[[noreturn]] void __throw_out_of_range_fmt(const char* what, ...) { throw tarnwick::Exception(what); }
[[noreturn]] void __throw_invalid_argument(const char* what) { throw tarnwick::Exception(what); }
[[noreturn]] void __throw_bad_function_call() { throw tarnwick::Exception("bad function call"); }
}  // namespace std
