// kestrane-check [--json] [--code-page N] [PACKAGE_DIR]: tells a campaign author what the installer will make of
// a package before any player finds out.
#include "check/PackageCheck.h"
#include "check/ReportFormat.h"
#include "common/Version.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Beyond the 0, 1 and 2 of a finished check, so a pipeline can tell a wrong call from errors.
constexpr int kUsageStatus = 3;

constexpr std::string_view kUsage =
    "Usage: kestrane-check [--json] [--code-page N] [PACKAGE_DIR]\n"
    "       kestrane-check --version\n"
    "Checks the campaign package in PACKAGE_DIR (default: the current directory) the way the\n"
    "Kestrane installer will read it.\n"
    "  --json          print the values and findings as one JSON document\n"
    "  --code-page N   read install.ini as a Windows of ANSI code page N does (default 1252;\n"
    "                  932, 936, 949 and 950 have two-byte characters)\n"
    "Exit status: 0 no findings, 1 warnings only, 2 errors, 3 wrong usage or no such directory.\n";

void Print(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int main(int argc, char** argv)
{
    bool json = false;
    unsigned codePage = kestrane::kDefaultCodePage;
    std::optional<std::string> packageDirectory;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--json") {
            json = true;
        } else if (argument == "--code-page") {
            const std::string_view number = i + 1 < argc ? argv[++i] : "";
            const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), codePage);
            if (number.empty() || error != std::errc() || end != number.data() + number.size() || codePage == 0) {
                Print(stderr, kUsage);
                return kUsageStatus;
            }
        } else if (argument == "--version") {
            Print(stdout, "kestrane-check " KESTRANE_VERSION "\n");
            return 0;
        } else if (argument == "--help" || argument == "-h") {
            Print(stdout, kUsage);
            return 0;
        } else if (argument.starts_with("-") || packageDirectory) {
            Print(stderr, kUsage);
            return kUsageStatus;
        } else {
            packageDirectory = std::string(argument);
        }
    }

    const std::string directory = packageDirectory.value_or(".");
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
        Print(stderr, "kestrane-check: " + directory + " is not a directory\n");
        return kUsageStatus;
    }
    const kestrane::PackageReport report = kestrane::CheckPackage(directory, codePage);
    Print(stdout, json ? kestrane::FormatReportJson(report) : kestrane::FormatReportText(report));
    return kestrane::ExitStatus(report);
}
