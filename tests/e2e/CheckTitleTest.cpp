// kestrane-check's window title beside the one Kestrane.exe really shows for the same package:
// the shipped checker runs as its own process, its printed report read through a pipe.
#include "Driver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kestrane::e2e {
namespace {

// What kestrane-check.exe prints for the package.
std::string RunKestraneCheck(const std::string& packageDirectory)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        throw std::runtime_error("CreatePipe failed: error " + std::to_string(::GetLastError()));
    const UniqueKernelHandle reader(readEnd);
    UniqueKernelHandle writer(writeEnd);
    // The child inherits the write end only.
    ::SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer.Get();
    startup.hStdError = writer.Get();
    std::string commandLine = "\"" KESTRANE_CHECK_EXE_PATH "\" \"" + packageDirectory + "\"";
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(KESTRANE_CHECK_EXE_PATH, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                          nullptr, nullptr, &startup, &started))
        throw std::runtime_error("cannot start " + commandLine + ": error " + std::to_string(::GetLastError()));
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    // With our copy of the write end open, the read below would never see the pipe's end.
    writer.Close();

    std::string output;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(reader.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        output.append(buffer, read);
    ::WaitForSingleObject(process.Get(), INFINITE);
    return output;
}

// The quoted text of the report's "window title" row; what the row holds when it is not quoted.
std::string PrintedTitle(const std::string& report)
{
    const std::string row = "  window title";
    const std::size_t start = report.find(row);
    if (start == std::string::npos)
        return "(no window title row)";
    const std::size_t end = report.find_first_of("\r\n", start);
    const std::string line = report.substr(start, end - start);
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    if (open == std::string::npos || close == open)
        return line;
    return line.substr(open + 1, close - open - 1);
}

TEST(KestraneCheck, PrintsTheTitleTheInstallerWindowShows)
{
    struct Case {
        std::string installIni;
        std::string expectedTitle;
    };
    const Case cases[] = {
        {"CAMPAIGNNAME=Orc Saga\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n", "Orc Saga Installation"},
        {"CAMPAIGNNAME x = Chapter 1: Rise/Fall = II\r\nBACKBITMAP=back.bmp\r\n",
         "Chapter 1: Rise/Fall = II Installation"},
        {"BACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n", "Kestrane"},
        // Both read the name as missing: it is hidden behind the byte-order mark.
        {"\xEF\xBB\xBF"
         "CAMPAIGNNAME=Orc Saga\r\nBACKBITMAP=back.bmp\r\n",
         "Kestrane"},
    };
    for (const auto& [installIni, expectedTitle] : cases) {
        PackageDirectory package;
        package.WriteInstallIni(installIni);
        package.WriteFile("back.bmp", MakeBitmapFile(320, 200));

        const std::string report = RunKestraneCheck(package.Path());
        const std::string printed = PrintedTitle(report);

        Program program(package.Path());
        const HWND dialog = program.WaitForMainDialog();
        const std::string shown = WindowText(dialog);
        Click(dialog, IDOK);
        EXPECT_EQ(program.WaitForExit(), 0u);

        EXPECT_EQ(printed, shown) << installIni << "kestrane-check printed:\n" << report;
        EXPECT_EQ(shown, expectedTitle) << installIni;
    }
}

}  // namespace
}  // namespace kestrane::e2e
