// The stand-ins for the run-time's raising functions (base/win32/
// LibraryThrows.cpp), linked into this program as into every one we ship:
// the standard library's failures still arrive as std::exception with the
// library's text, numbers filled in, and the memory failures keep their type.
#include <bits/functexcept.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <string>
#include <vector>

namespace {

std::string WhatOf(void (*raise)()) {
    try {
        raise();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing raised)";
}

TEST(RuntimeStandIns, TheLibrarysFailuresArriveAsExceptionsWithTheirText) {
    EXPECT_EQ(WhatOf([] {
                  const std::string text = "abc";
                  (void)text.at(5);
              }),
              "basic_string::at: __n (which is 5) >= this->size() (which is 3)");
    EXPECT_EQ(WhatOf([] { (void)std::stoi("no number"); }), "stoi");
    EXPECT_EQ(WhatOf([] { std::string("abc").substr(7); }),
              "basic_string::substr: __pos (which is 7) > this->size() (which is 3)");
    EXPECT_EQ(WhatOf([] {
                  std::vector<int> v;
                  v.reserve(v.max_size() + 1);
              }),
              "vector::reserve");
}

TEST(RuntimeStandIns, ALongTextIsCutShortNotWrittenPastItsBuffer) {
    const std::string what = WhatOf([] {
        const std::string longText(1000, 'x');
        std::__throw_out_of_range_fmt("%s and %zu%%", longText.c_str(), std::size_t{42});
    });
    EXPECT_EQ(what, std::string(255, 'x'));
}

TEST(RuntimeStandIns, FormatsFillInEveryPlaceholder) {
    EXPECT_EQ(WhatOf([] {
                  std::__throw_out_of_range_fmt("%s: %zu of %zu (100%%)", "at", std::size_t{0},
                                                std::size_t{4294967295u});
              }),
              "at: 0 of 4294967295 (100%)");
}

TEST(RuntimeStandIns, MemoryAndCastFailuresKeepTheirStandardTypes) {
    EXPECT_THROW(std::__throw_bad_alloc(), std::bad_alloc);
    EXPECT_THROW(std::__throw_bad_array_new_length(), std::bad_array_new_length);
    EXPECT_THROW(std::__throw_bad_cast(), std::bad_cast);
}

}  // namespace
