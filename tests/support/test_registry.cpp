#include "support/test_registry.h"
#include "test_registry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace testregistry {
namespace {

std::map<std::string, Runner>& runners() {
    static std::map<std::string, Runner> all;
    return all;
}

std::string baseName(const char* file) {
    std::string name(file);
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const auto dot = name.find('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace

bool add(const char* file, Runner run) {
    const bool fresh = runners().emplace(baseName(file), run).second;
    if (!fresh) {
        std::fprintf(stderr, "two test files named %s\n", baseName(file).c_str());
        std::abort();
    }
    return true;
}

} // namespace testregistry

// "<area>_tests <test name> [Qt Test options]": runs that test; without a known name, lists them.
int main(int argc, char** argv) {
    const auto& all = testregistry::runners();
    const auto found = argc >= 2 ? all.find(argv[1]) : all.end();
    if (found == all.end()) {
        std::fprintf(stderr, "usage: %s <test> [Qt Test options]\ntests:\n", argv[0]);
        for (const auto& [name, run] : all)
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    // The test sees the executable's name followed by its own options.
    argv[1] = argv[0];
    return found->second(argc - 1, argv + 1);
}
