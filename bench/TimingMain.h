// The entry of a timing program run under Wine: runs it, and says what stopped it.
#pragma once

#include <cstdio>
#include <exception>

namespace kestrane::e2e {

template <class Run>
int RunTiming(const char* program, Run run)
{
    try {
        return run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", program, error.what());
        return 1;
    }
}

}  // namespace kestrane::e2e
