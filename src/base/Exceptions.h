#pragma once
#include <exception>
#include <string>

namespace torvane {

// A failure that carries its own text. It keeps the text in a std::string of
// its own rather than deriving from std::runtime_error: the library's
// runtime_error stores its text in the old reference-counted string, and
// using it brings that whole second string implementation (about 40 KiB)
// into every program we ship.
class Failure : public std::exception {
public:
    explicit Failure(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Base of the program's own failures; what() is the text the user and the
// error report see.
class Exception : public Failure {
public:
    explicit Exception(const std::string& message) : Failure(message) {}
};

// The silent kind: dropped by the top-level handler, no report, no panel.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// A failed file operation, worded as the run-time words it: "I/O error 112"
// for a full disk. Code is the system's error number.
class EInOutError : public Exception {
public:
    explicit EInOutError(int code) : Exception("I/O error " + std::to_string(code)), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

// A file that could not be created: "Cannot create file "<path>". <reason>".
class EFCreateError : public Exception {
public:
    EFCreateError(const std::string& path, const std::string& reason)
        : Exception("Cannot create file \"" + path + "\". " + reason), reason_(reason) {}
    // The system's text for why, as it stands after the path.
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

// Compressed data that does not inflate to what it should: damaged, cut
// short, too long, or failing its checksum.
class EDecompressionError : public Exception {
public:
    explicit EDecompressionError(const std::string& detail)
        : Exception("Decompression error: " + detail) {}
};

}  // namespace torvane
