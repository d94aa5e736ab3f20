// ReportFormat: a package report as text for the author, or as one JSON document for a build.
#pragma once

#include "check/PackageCheck.h"

#include <string>
#include <string_view>

namespace kestrane {

std::string FormatReportText(const PackageReport& report);
std::string FormatReportJson(const PackageReport& report);

// `text` as a JSON string with its quotes. install.ini is in the player's ANSI code page, not
// UTF-8, so every byte from 128 up is written as \u00XX of its own value, as are the control
// bytes: the document stays valid whatever the bytes, and a reader gets each byte back as the
// code point of the same value.
std::string JsonQuoted(std::string_view text);

}  // namespace kestrane
