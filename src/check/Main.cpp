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
// A report that a full disk or a closed pipe cut short must not pass for a whole one.
constexpr int kWriteFailedStatus = 4;

constexpr std::string_view kUsage =
    "Usage: kestrane-check [--json] [--code-page N] [PACKAGE_DIR]\n"
    "       kestrane-check --version\n"
    "Checks the campaign package in PACKAGE_DIR (default: the current directory) the way the\n"
    "Kestrane installer will read it.\n"
    "  --json          print the values and findings as one JSON document\n"
    "  --code-page N   read install.ini as a Windows of ANSI code page N does (default 1252;\n"
    "                  932, 936, 949 and 950 have two-byte characters)\n"
    "Exit status: 0 no findings, 1 warnings only, 2 errors, 3 wrong usage or no such directory,\n"
    "4 the output could not be written in full.\n";

// Whether the stream took all of the text.
bool Print(std::FILE* stream, std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

// Standard output is buffered: a write that fails there shows only when the buffer is flushed.
int PrintAndEnd(std::string_view text, int status)
{
    return Print(stdout, text) && std::fflush(stdout) == 0 ? status : kWriteFailedStatus;
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
            return PrintAndEnd("kestrane-check " KESTRANE_VERSION "\n", 0);
        } else if (argument == "--help" || argument == "-h") {
            return PrintAndEnd(kUsage, 0);
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
    return PrintAndEnd(json ? kestrane::FormatReportJson(report) : kestrane::FormatReportText(report),
                       kestrane::ExitStatus(report));
}
