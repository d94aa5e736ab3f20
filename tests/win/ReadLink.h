// ReadLink: a saved shell link read back the way the shell reads it.
#pragma once

#include <string>

namespace kestrane::test {

struct LinkFacts {
    std::string path;
    std::string workingDirectory;
    std::string description;
    std::string iconLocation;
    int iconIndex = -1;
};

// Fails the running test, and gives empty facts, when the link cannot be loaded. COM must be
// initialised on the calling thread.
LinkFacts ReadLink(const std::string& linkPath);

}  // namespace kestrane::test
