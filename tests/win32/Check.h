#pragma once
// A minimal test runner for the Win32 layer's tests, which run under Wine
// (GoogleTest is not built for mingw here). TEST registers a case; CHECK and
// CHECK_EQ record a failure with the expression, the values and the place,
// and let the case go on; REQUIRE stops the case.
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace torvane::win32test {

struct TestCase {
    const char* name;
    std::function<void()> body;
};

std::vector<TestCase>& Registry();
void RecordFailure(const char* file, int line, const std::string& what);

struct Registrar {
    Registrar(const char* name, std::function<void()> body) {
        Registry().push_back({name, std::move(body)});
    }
};

struct StopCase {};

template <typename A, typename B>
std::string Describe(const char* a, const char* b, const A& va, const B& vb) {
    std::ostringstream out;
    out << a << " == " << b << " (" << va << " vs " << vb << ")";
    return out.str();
}

}  // namespace torvane::win32test

#define TORVANE_CONCAT2(a, b) a##b
#define TORVANE_CONCAT(a, b) TORVANE_CONCAT2(a, b)
#define TEST(name)                                                                         \
    static void name();                                                                    \
    static ::torvane::win32test::Registrar TORVANE_CONCAT(registrar_, name)(#name, &name); \
    static void name()

#define CHECK(condition)                                                                       \
    do {                                                                                       \
        if (!(condition)) ::torvane::win32test::RecordFailure(__FILE__, __LINE__, #condition); \
    } while (0)

#define CHECK_EQ(a, b)                                                                           \
    do {                                                                                         \
        const auto& check_a_ = (a);                                                              \
        const auto& check_b_ = (b);                                                              \
        if (!(check_a_ == check_b_))                                                             \
            ::torvane::win32test::RecordFailure(                                                 \
                __FILE__, __LINE__, ::torvane::win32test::Describe(#a, #b, check_a_, check_b_)); \
    } while (0)

#define REQUIRE(condition)                                                       \
    do {                                                                         \
        if (!(condition)) {                                                      \
            ::torvane::win32test::RecordFailure(__FILE__, __LINE__, #condition); \
            throw ::torvane::win32test::StopCase{};                              \
        }                                                                        \
    } while (0)
