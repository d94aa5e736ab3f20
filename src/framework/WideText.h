// WideText: the conversions between the program's ANSI text and the wide text of the file
// functions, and the separator rule on wide paths.
#pragma once

#include "common/CodePage.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// From the ANSI code page, as the system's own "A" functions convert their arguments.
std::wstring WideFromAnsi(std::string_view text);

// Into the ANSI code page, for what the user sees: a character the code page lacks becomes the
// system's default character, so the result may no longer name the file.
std::string AnsiFromWide(std::wstring_view text);

// Into `codePage` (CP_ACP: the ANSI code page) only when every character has a form of its own
// there: a path that the "A" functions are to open must name the same file.
std::optional<std::string> ExactNarrowFromWide(std::wstring_view text, unsigned codePage);
std::optional<std::string> ExactAnsiFromWide(std::wstring_view text);

// The lead-byte rule of the system's ANSI code page; none when the system does not say.
LeadByteRule SystemLeadByteRule();

// In wide text a "\" is always a separator, never the half of a character.
std::wstring JoinWidePath(std::wstring_view directory, std::wstring_view name);

}  // namespace kestrane
