#include "widgets/core/ShortenForStatus.h"

namespace kestrane {

std::string ShortenForStatus(std::string_view path)
{
    if (path.size() <= kStatusPathLength)
        return std::string(path);
    std::string shortened(path.substr(0, kStatusPathLength));
    shortened += "...";
    return shortened;
}

}  // namespace kestrane
