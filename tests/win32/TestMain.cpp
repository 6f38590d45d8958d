// Runs every registered case and prints "N passed, N failed"; the exit code
// is the number of failed cases (0: all passed). With an argument, runs only
// the cases whose name contains it.
#include <cstring>
#include <exception>

#include "Check.h"

namespace torvane::win32test {

namespace {
int failuresInCase = 0;
}

std::vector<TestCase>& Registry() {
    static std::vector<TestCase> cases;
    return cases;
}

void RecordFailure(const char* file, int line, const std::string& what) {
    ++failuresInCase;
    std::cout << "  " << file << ":" << line << ": failed: " << what << "\n";
}

}  // namespace torvane::win32test

int main(int argc, char** argv) {
    using namespace torvane::win32test;
    int passed = 0, failed = 0;
    for (const TestCase& test : Registry()) {
        if (argc > 1 && !std::strstr(test.name, argv[1])) continue;
        failuresInCase = 0;
        std::cout << "[ RUN  ] " << test.name << "\n";
        try {
            test.body();
        } catch (const StopCase&) {
        } catch (const std::exception& e) {
            RecordFailure(__FILE__, __LINE__, std::string("exception: ") + e.what());
        } catch (...) {
            RecordFailure(__FILE__, __LINE__, "unknown exception");
        }
        if (failuresInCase == 0) {
            ++passed;
            std::cout << "[  OK  ] " << test.name << "\n";
        } else {
            ++failed;
            std::cout << "[ FAIL ] " << test.name << "\n";
        }
        std::cout.flush();
    }
    std::cout << passed << " passed, " << failed << " failed\n";
    return failed;
}
