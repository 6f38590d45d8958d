// Stands in for the C++ run-time's functions that raise the standard
// library's own failures (an index out of range, a string grown too long,
// text that is no number ...) in the programs we ship. The run-time's
// versions throw std::logic_error and std::runtime_error, which keep their
// text in the old reference-counted string; linking them brings that whole
// second string implementation and its unwind tables along, about 40 KiB of
// each static program. The ones here throw a failure that keeps its text in a
// buffer of its own. Whoever catches std::exception, as every handler of ours
// does, sees the same what(); nothing of ours catches the library's
// particular types. The memory, cast and type-id failures keep their own
// standard types, which are small.
#include <bits/functexcept.h>

#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryFailure : public std::exception {
public:
    explicit LibraryFailure(const char* text) { Append(text, std::strlen(text)); }

    // The library's formats use only %zu, %s and %% (see __snprintf_lite).
    LibraryFailure(const char* format, std::va_list values) {
        for (const char* p = format; *p != '\0'; ++p) {
            if (p[0] == '%' && p[1] == 'z' && p[2] == 'u') {
                AppendNumber(va_arg(values, std::size_t));
                p += 2;
            } else if (p[0] == '%' && p[1] == 's') {
                const char* text = va_arg(values, const char*);
                Append(text, std::strlen(text));
                ++p;
            } else if (p[0] == '%' && p[1] == '%') {
                Append("%", 1);
                ++p;
            } else {
                Append(p, 1);
            }
        }
    }

    const char* what() const noexcept override { return text_; }

private:
    // Digit by digit: printf would bring mingw's own formatter along.
    void AppendNumber(std::size_t value) {
        char digits[24];
        std::size_t count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count != 0) Append(&digits[--count], 1);
    }

    void Append(const char* text, std::size_t length) {
        const std::size_t room = sizeof text_ - 1 - used_;
        if (length > room) length = room;
        std::memcpy(text_ + used_, text, length);
        used_ += length;
        text_[used_] = '\0';
    }

    char text_[256] = {};
    std::size_t used_ = 0;
};

}  // namespace

namespace std {

void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }

void __throw_logic_error(const char* text) { throw LibraryFailure(text); }
void __throw_domain_error(const char* text) { throw LibraryFailure(text); }
void __throw_invalid_argument(const char* text) { throw LibraryFailure(text); }
void __throw_length_error(const char* text) { throw LibraryFailure(text); }
void __throw_out_of_range(const char* text) { throw LibraryFailure(text); }
void __throw_runtime_error(const char* text) { throw LibraryFailure(text); }
void __throw_range_error(const char* text) { throw LibraryFailure(text); }
void __throw_overflow_error(const char* text) { throw LibraryFailure(text); }
void __throw_underflow_error(const char* text) { throw LibraryFailure(text); }

void __throw_out_of_range_fmt(const char* format, ...) {
    std::va_list values;
    va_start(values, format);
    LibraryFailure failure(format, values);
    va_end(values);
    throw failure;
}

}  // namespace std
