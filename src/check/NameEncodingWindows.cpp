#include "check/NameEncoding.h"

#include "framework/WideText.h"

namespace kestrane {

std::optional<std::string> EncodeName(const std::filesystem::path& name, unsigned codePage)
{
    return ExactNarrowFromWide(name.native(), codePage);
}

}  // namespace kestrane
