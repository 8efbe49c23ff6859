// The released Windows programs' own small C++ runtime. Nothing in them
// catches an exception, so an exception could only end in abort(); these
// definitions say so directly and keep out of the programs what the C++
// library would otherwise link in for it: the exception unwinder and runtime
// behind the throwing operator new and behind from_chars' frames, and the
// demangler behind the default terminate handler, which prints an uncaught
// exception's type.
//
// Linked into tintmend and tintmend-cli of the release builds only; the test
// builds keep the library's own, with exceptions, for GoogleTest.
#include <cxxabi.h>

#include <cstdlib>
#include <new>

namespace {

// malloc(0) may return null; operator new must return a distinct pointer.
void* Allocate(std::size_t size) noexcept { return std::malloc(size != 0 ? size : 1); }

// Where the library's forms would throw std::bad_alloc, which would end the
// program uncaught, the program ends at once.
void* AllocateOrAbort(std::size_t size) noexcept {
    void* block = Allocate(size);
    if (block == nullptr) std::abort();
    return block;
}

}  // namespace

// The terminate handler the library installs by default: plain abort(),
// with no message naming the exception's type (no demangler).
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// The C++ personality routine: the unwinder asks it, frame by frame, whether
// a frame catches the exception being thrown or has cleanups to run. The
// product's code is compiled without exceptions and has no such frames; of
// the library's code, from_chars alone names the routine, and throws nothing
// and catches nothing. Nothing else throws: the library's throwing helpers
// below end the program instead.
#ifdef __SEH__
// 64-bit Windows calls it for every exception, C++ or not, passing through a
// frame that names it: no handler here, search on (ExceptionContinueSearch).
extern "C" int __gxx_personality_seh0(void*, void*, void*, void*) { return 1; }
#else
// 32-bit: only a C++ throw reaches it.
extern "C" int __gxx_personality_v0(int, int, unsigned long long, void*, void*) { std::abort(); }
#endif

// Where the library's inline code would throw (std::string's checks of a
// length or a null pointer, in the companion), the program ends at once: the
// library's own definitions build the exception objects, and with them bring
// in the unwinder and the string classes behind std::logic_error, about 30 KB.
// These are every one of the library's throwing helpers that the programs'
// code and the library members they link name.
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_runtime_error(const char*) { std::abort(); }
}  // namespace std

void* operator new(std::size_t size) { return AllocateOrAbort(size); }
void* operator new[](std::size_t size) { return AllocateOrAbort(size); }

// The nothrow forms return null, which the profile and EDID readers check
// and report as too little memory.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
