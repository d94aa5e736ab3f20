// The rules, over plain text, that keep the campaign directory one folder of the installer's
// own: names Windows reads two ways, and folders that belong to the player.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace kestrane {

// Whether a part of `path` between separators ends in "." or " ", other than the parts "."
// and "..". Windows drops those characters from the last part of a path but keeps them in an
// inner one, so "Camp ." and "Camp .\game.dll" lie in different folders.
bool HasTrimmedPart(std::string_view path);

// What an install writes at the top of a campaign directory, besides the campaign's own files.
inline constexpr std::array<std::wstring_view, 6> kInstallerFiles = {
    L"Warcraft III.exe", L"war3.exe", L"Storm.dll", L"Mss32.dll", L"ijl15.dll", L"game.dll",
};

// Whether a campaign directory whose top level holds `entries` belongs to somebody else: it
// holds something, and none of it is named as one of `ours` (letter case aside). An earlier
// install, even one cut short, left at least one of them.
bool HoldsOnlyOthersFiles(std::span<const std::wstring> entries, std::span<const std::wstring> ours);

// Whether INSTALLDIR names one of the folders a Warcraft III directory keeps for the game's
// and the player's own files.
bool NamesGameFolder(std::string_view installDir);

// Shown, with the error icon, when the campaign directory already holds only others' files.
std::string OthersFolderText(std::string_view campaignDirectory);

}  // namespace kestrane
