#include "app/core/InstallPath.h"

#include "common/Text.h"

namespace kestrane {

std::string GameDirectoryFromInstallPath(std::string_view valueBytes, const LeadByteRule& rule)
{
    const std::string_view text = valueBytes.substr(0, valueBytes.find('\0'));
    return WithTrailingSeparator(TrimTrailingWhiteSpace(text), rule);
}

}  // namespace kestrane
