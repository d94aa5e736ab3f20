#include "install/core/CampaignDirectoryRules.h"

#include <algorithm>

namespace kestrane {
namespace {

template <class Char>
Char FoldCase(Char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <class Char>
bool SameLettersAside(std::basic_string_view<Char> a, std::basic_string_view<Char> b)
{
    return std::ranges::equal(a, b, [](Char x, Char y) { return FoldCase(x) == FoldCase(y); });
}

constexpr std::string_view kGameFolders[] = {
    "Maps", "Campaigns", "Save", "Replay", "Movies", "Screenshots", "Errors", "Logs", "redist",
};

}  // namespace

// A "\" that is the second byte of a double-byte character splits the text in the wrong place,
// but the byte before it is then a lead byte, never "." or " ": no part is taken for trimmed
// that is not, and every real separator is still found.
bool HasTrimmedPart(std::string_view path)
{
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if (part != "." && part != ".." && (part.ends_with('.') || part.ends_with(' ')))
            return true;
        start = end + 1;
    }
    return false;
}

bool HoldsOnlyOthersFiles(std::span<const std::wstring> entries, std::span<const std::wstring> ours)
{
    return !entries.empty() && std::ranges::none_of(entries, [ours](const std::wstring& entry) {
        return std::ranges::any_of(
            ours, [&entry](const std::wstring& name) { return SameLettersAside<wchar_t>(entry, name); });
    });
}

bool NamesGameFolder(std::string_view installDir)
{
    return std::ranges::any_of(kGameFolders,
                               [installDir](std::string_view folder) { return SameLettersAside(installDir, folder); });
}

std::string OthersFolderText(std::string_view campaignDirectory)
{
    return "Error: the folder \"" + std::string(campaignDirectory) +
           "\" already holds files that this installer did not put there.\n"
           "It may be one of your own folders, so nothing was changed.\n"
           "Ask the author of the campaign to correct INSTALLDIR in install.ini.";
}

}  // namespace kestrane
