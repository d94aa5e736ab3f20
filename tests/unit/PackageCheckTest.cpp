#include "check/PackageCheck.h"
#include "check/ReportFormat.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace kestrane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// The bytes of an uncompressed 24-bit bitmap file, rows padded to four bytes.
std::string BitmapFile(int width, int height)
{
    const auto rowBytes = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>(value >> (8 * i));
    };
    bytes += "BM";
    put(54 + pixelBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    bytes.append(24, '\0');  // compression, image size, resolution and colour counts
    bytes.append(pixelBytes, '\x40');
    return bytes;
}

const std::string kBackground = BitmapFile(100, 90);
const std::string kCleanIni = "CAMPAIGNNAME=Orc Saga\r\nICON=orc.ico\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n";

// A package directory under the temporary directory, removed with everything in it at the end.
class TemporaryPackage {
public:
    TemporaryPackage()
    {
        std::random_device random;
        m_path = fs::temp_directory_path() / ("kestrane-check-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(m_path);
    }
    ~TemporaryPackage()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TemporaryPackage(const TemporaryPackage&) = delete;
    TemporaryPackage& operator=(const TemporaryPackage&) = delete;

    // `name` uses "/" between folders; missing folders are made.
    void Write(const std::string& name, std::string_view bytes) const
    {
        fs::create_directories((m_path / name).parent_path());
        std::ofstream(m_path / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void MakeDirectory(const std::string& name) const { fs::create_directories(m_path / name); }
    std::string Path() const { return m_path.string(); }

private:
    fs::path m_path;
};

// The clean package with `changes` on top: a name mapped to nullopt is left out, a name ending in
// "/" is made as a folder, any other name is written with the bytes given.
using Changes = std::map<std::string, std::optional<std::string>>;

PackageReport CheckChangedPackage(const Changes& changes)
{
    TemporaryPackage package;
    Changes files = {
        {"install.ini", kCleanIni},
        {"back.bmp", kBackground},
        {"Kestrane Files/orc.ico", "an icon"},
    };
    for (const auto& [name, bytes] : changes)
        files[name] = bytes;
    for (const auto& [name, bytes] : files) {
        if (bytes && name.ends_with('/'))
            package.MakeDirectory(name);
        else if (bytes)
            package.Write(name, *bytes);
    }
    return CheckPackage(package.Path());
}

std::string Describe(const std::vector<Finding>& findings)
{
    std::string text;
    for (const Finding& f : findings) {
        text += "\n  " + std::string(NameOf(f.severity)) + " " + std::string(CodeOf(f.check)) + " " + f.file +
                (f.line ? " line " + std::to_string(*f.line) : "") + ": " + f.message;
    }
    return text.empty() ? " none" : text;
}

struct Expected {
    Check check;
    Severity severity;
    std::optional<int> line;
    std::string mentions;  // a part of the message that tells the author what happens
};

struct FindingCase {
    const char* what;
    Changes changes;
    std::vector<Expected> expected;
};

void ExpectFindings(const std::vector<FindingCase>& cases)
{
    for (const auto& [what, changes, expected] : cases) {
        const PackageReport report = CheckChangedPackage(changes);
        const std::vector<Finding>& actual = report.findings;
        bool same = actual.size() == expected.size();
        for (std::size_t i = 0; same && i < actual.size(); ++i) {
            same = actual[i].check == expected[i].check && actual[i].severity == expected[i].severity &&
                   actual[i].line == expected[i].line &&
                   actual[i].message.find(expected[i].mentions) != std::string::npos;
        }
        std::string wanted;
        for (const Expected& e : expected) {
            wanted += "\n  " + std::string(NameOf(e.severity)) + " " + std::string(CodeOf(e.check)) +
                      (e.line ? " line " + std::to_string(*e.line) : "") + " mentioning \"" + e.mentions + "\"";
        }
        EXPECT_TRUE(same) << what << "\nactual:" << Describe(actual)
                          << "\nexpected:" << (wanted.empty() ? " none" : wanted);
    }
}

TEST(CheckPackage, FindsNothingWrongWithACleanPackage)
{
    const PackageReport report = CheckChangedPackage({});
    EXPECT_TRUE(report.findings.empty()) << Describe(report.findings);
    EXPECT_EQ(ExitStatus(report), 0);
}

TEST(CheckPackage, FindsTheInstallIniPitfalls)
{
    ExpectFindings({
        {"no install.ini", {{"install.ini", std::nullopt}},
         {{Check::NoPackageDescription, Severity::Error, std::nullopt, "\"Error: unable to open install.ini!\""}}},
        {"install.ini is a folder", {{"install.ini", std::nullopt}, {"install.ini/", ""}},
         {{Check::NoPackageDescription, Severity::Error, std::nullopt, "unable to open"}}},
        {"an empty install.ini", {{"install.ini", ""}},
         {{Check::EmptyPackageDescription, Severity::Error, std::nullopt, "\"Error: install.ini is empty!\""}}},
        {"the name of the campaign hides ICON",
         {{"install.ini", "CAMPAIGNNAME=The Icon War\r\nICON=orc.ico\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=War\r\n"}},
         {{Check::KeyHidden, Severity::Warning, 2, "inside line 1 (\"CAMPAIGNNAME=The Icon War\")"}}},
        {"the name of the campaign hides INSTALLDIR",
         {{"install.ini", "CAMPAIGNNAME=No installdir needed\nBACKBITMAP=back.bmp\nINSTALLDIR=War\n"}},
         {{Check::KeyHidden, Severity::Error, 3, "inside line 1"}}},
        {"a byte-order mark hides CAMPAIGNNAME", {{"install.ini", "\xEF\xBB\xBF" + kCleanIni}},
         {{Check::BytesBeforeKey, Severity::Warning, 1, "byte-order mark"}}},
        {"a byte-order mark hides BACKBITMAP",
         {{"install.ini", "\xEF\xBB\xBF" "BACKBITMAP=back.bmp\nCAMPAIGNNAME=Orc Saga\nICON=orc.ico\nINSTALLDIR=Orc\n"}},
         {{Check::BytesBeforeKey, Severity::Error, 1, "\"Error: file not found: \""}}},
        {"a blank before INSTALLDIR",
         {{"install.ini", "CAMPAIGNNAME=Orc Saga\nICON=orc.ico\nBACKBITMAP=back.bmp\n INSTALLDIR=Orc Saga\n"}},
         {{Check::BytesBeforeKey, Severity::Error, 4, "1 byte (20)"}}},
        {"a commented-out ICON line hides the real one",
         {{"install.ini", ";ICON=old.ico\nICON=orc.ico\nCAMPAIGNNAME=Orc Saga\nBACKBITMAP=back.bmp\nINSTALLDIR=O\n"}},
         {{Check::KeyHidden, Severity::Warning, 2, "inside line 1"}}},
        {"ICON without =",
         {{"install.ini", "CAMPAIGNNAME=Orc Saga\nICON orc.ico\nBACKBITMAP=back.bmp\nINSTALLDIR=Orc Saga\n"}},
         {{Check::KeyWithoutEquals, Severity::Warning, 2, "(\"ICON orc.ico\") has no \"=\""}}},
        {"INSTALLDIR without = at the very end",
         {{"install.ini", "CAMPAIGNNAME=Orc Saga\nICON=orc.ico\nBACKBITMAP=back.bmp\nINSTALLDIR"}},
         {{Check::KeyWithoutEquals, Severity::Error, 4, "refuses to install"}}},
        {"an empty BACKBITMAP",
         {{"install.ini", "CAMPAIGNNAME=Orc Saga\nICON=orc.ico\nBACKBITMAP=  \nINSTALLDIR=Orc Saga\n"}},
         {{Check::EmptyValue, Severity::Error, 3, "nothing after \"=\""}}},
        {"an empty CAMPAIGNNAME",
         {{"install.ini", "CAMPAIGNNAME=\nICON=orc.ico\nBACKBITMAP=back.bmp\nINSTALLDIR=Orc Saga\n"}},
         {{Check::EmptyValue, Severity::Warning, 1, "title \"Kestrane\""}}},
        {"ICON given twice",
         {{"install.ini", kCleanIni + "icon=other.ico\r\n"}},
         {{Check::KeyRepeated, Severity::Warning, 5, "already read ICON from line 2"}}},
        {"no CAMPAIGNNAME and no ICON: only the name is missed",
         {{"install.ini", "BACKBITMAP=back.bmp\nINSTALLDIR=Orc Saga\n"}},
         {{Check::KeyMissing, Severity::Warning, std::nullopt, "No line begins with CAMPAIGNNAME"}}},
        {"no BACKBITMAP and no INSTALLDIR",
         {{"install.ini", "CAMPAIGNNAME=Orc Saga\nICON=orc.ico\n"}},
         {{Check::KeyMissing, Severity::Error, std::nullopt, "BACKBITMAP"},
          {Check::KeyMissing, Severity::Error, std::nullopt, "INSTALLDIR"}}},
    });
}

TEST(CheckPackage, FindsInstallDirsTheInstallerCleansOrRefuses)
{
    const auto withInstallDir = [](const std::string& value) {
        return Changes{
            {"install.ini", "CAMPAIGNNAME=Orc Saga\nICON=orc.ico\nBACKBITMAP=back.bmp\nINSTALLDIR=" + value + "\n"}};
    };
    const Expected unsafe{Check::InstallDirUnsafe, Severity::Error, 4, "refuses to install"};
    ExpectFindings({
        {"climbing and a trailing backslash are cleaned", withInstallDir(R"(..\Orc Saga\)"),
         {{Check::InstallDirCleaned, Severity::Warning, 4,
           R"("..\Orc Saga\" is cleaned by the installer to "Orc Saga")"}}},
        {"a forward slash and a dot are harmless", withInstallDir("Orc Saga/."), {}},
        {"a trailing dot is harmless", withInstallDir("Orc Saga."), {}},
        {".", withInstallDir("."), {unsafe}},
        {"..", withInstallDir(".."), {unsafe}},
        {"...", withInstallDir("..."), {unsafe}},
        {"dots and blanks", withInstallDir(". ."), {unsafe}},
        {"down and back up", withInstallDir("Orc/.."), {unsafe}},
        {"climbing with forward slashes", withInstallDir("../Orc Saga"), {unsafe}},
        {"a drive only cleans to nothing", withInstallDir("D:"),
         {{Check::InstallDirUnsafe, Severity::Error, 4, "cleaned by the installer to \"\""}}},
        {"a drive's root cleans to nothing", withInstallDir(R"(C:\)"), {unsafe}},
        {"two levels", withInstallDir(R"(Campaigns\Orc Saga)"),
         {{Check::InstallDirNested, Severity::Warning, 4, "\"Campaigns\" must already exist"}}},
        {"two levels after cleaning", withInstallDir(R"(C:\Games\Orc)"),
         {{Check::InstallDirCleaned, Severity::Warning, 4, R"(to "Games\Orc")"},
          {Check::InstallDirNested, Severity::Warning, 4, "2 folders deep"}}},
    });
}

TEST(CheckPackage, FindsBackgroundsTheInstallerRefusesOrMisplaces)
{
    const auto withBitmap = [](const std::string& name) {
        return "CAMPAIGNNAME=Orc Saga\nICON=orc.ico\nBACKBITMAP=" + name + "\nINSTALLDIR=Orc Saga\n";
    };
    ExpectFindings({
        {"a bitmap in a folder, named in other letter case",
         {{"install.ini", withBitmap(R"(ART\Back.BMP)")}, {"art/back.bmp", kBackground}}, {}},
        {"an absolute path", {{"install.ini", withBitmap(R"(C:\Art\back.bmp)")}},
         {{Check::BitmapAbsolute, Severity::Warning, 3, "outside the package"}}},
        {"no such file", {{"back.bmp", std::nullopt}},
         {{Check::BitmapMissing, Severity::Error, 3, "\"Error: file not found: back.bmp\""}}},
        {"a folder", {{"back.bmp", std::nullopt}, {"back.bmp/", ""}},
         {{Check::BitmapNotAFile, Severity::Error, 3, "\"Error: file not found: back.bmp\""}}},
        {"a text file", {{"back.bmp", "not a picture\r\n"}},
         {{Check::BitmapNotABitmap, Severity::Error, std::nullopt, "\"Error: invalid bitmap file: back.bmp\""}}},
        {"shorter than the file header", {{"back.bmp", "BM"}},
         {{Check::BitmapNotABitmap, Severity::Error, std::nullopt, "only 2 bytes long"}}},
        {"cut after 30 bytes", {{"back.bmp", kBackground.substr(0, 30)}},
         {{Check::BitmapRejected, Severity::Error, std::nullopt, "\"Error: invalid bitmap file: back.bmp\""}}},
        {"a pixel short", {{"back.bmp", kBackground.substr(0, kBackground.size() - 1)}},
         {{Check::BitmapRejected, Severity::Error, std::nullopt, "cut short"}}},
        {"79 pixels high", {{"back.bmp", BitmapFile(100, 79)}},
         {{Check::BitmapTooLow, Severity::Warning, std::nullopt, "only 79 pixels high"}}},
        {"80 pixels high", {{"back.bmp", BitmapFile(100, 80)}}, {}},
    });
}

TEST(CheckPackage, FindsCampaignFilesThatDoNotArriveAsMeant)
{
    const auto withIcon = [](const std::string& icon) {
        return "CAMPAIGNNAME=Orc Saga\nICON=" + icon + "\nBACKBITMAP=back.bmp\nINSTALLDIR=Orc Saga\n";
    };
    const Expected noIcon{Check::IconNotInCampaignFiles, Severity::Warning, 2,
                          "looks for the icon in the campaign directory"};
    ExpectFindings({
        {"no campaign files folder", {{"Kestrane Files/orc.ico", std::nullopt}, {"install.ini", withIcon("")}},
         {{Check::EmptyValue, Severity::Warning, 2, "game's own icon"},
          {Check::NoCampaignFiles, Severity::Warning, std::nullopt, "copies nothing of the campaign's own"}}},
        {"the icon beside install.ini",
         {{"Kestrane Files/orc.ico", std::nullopt}, {"Kestrane Files/", ""}, {"orc.ico", "icon"}},
         {{Check::IconNotInCampaignFiles, Severity::Warning, 2, "The package directory has it"}}},
        {"the icon named with the campaign files folder", {{"install.ini", withIcon(R"(kestrane files\orc.ico)")}},
         {{Check::IconNotInCampaignFiles, Severity::Warning, 2, "without that folder's name"}}},
        {"the icon nowhere", {{"Kestrane Files/orc.ico", std::nullopt}, {"Kestrane Files/readme.txt", ""}}, {noIcon}},
        {"an icon folder", {{"Kestrane Files/orc.ico", std::nullopt}, {"Kestrane Files/orc.ico/", ""}}, {noIcon}},
        {"an icon that climbs out of the campaign directory",
         {{"install.ini", withIcon(R"(..\orc.ico)")}, {"orc.ico", "icon"}}, {noIcon}},
        {"an icon in a subfolder, named in other letter case",
         {{"install.ini", withIcon(R"(Icons\ORC.ico)")}, {"Kestrane Files/icons/orc.ico", "icon"}}, {}},
        {"war3patch.mpq among the campaign files", {{"Kestrane Files/war3patch.mpq", "patch"}},
         {{Check::PatchArchiveInCampaignFiles, Severity::Warning, std::nullopt, "the uninstall removes it"}}},
        {"characters a link name cannot hold",
         {{"install.ini",
           "CAMPAIGNNAME=Chapter 1: Rise/Fall\tII\nICON=orc.ico\nBACKBITMAP=back.bmp\nINSTALLDIR=Orc\n"}},
         {{Check::LinkNameReplaced, Severity::Warning, 1,
           R"((":", "/", byte 09), so the desktop shortcut is called "Chapter 1_ Rise_Fall_II.lnk")"}}},
    });
}

TEST(CheckPackage, ShowsWhatThePlayerGets)
{
    struct Case {
        std::string installIni;
        std::string title;
        std::string campaignDirectory;
        std::optional<std::string> linkName;
    };
    const Case cases[] = {
        {kCleanIni, "Orc Saga Installation", R"(<Warcraft III directory>\Orc Saga)", "Orc Saga.lnk"},
        {"BACKBITMAP=back.bmp\nINSTALLDIR=..\\Orc\\\n", "Kestrane", R"(<Warcraft III directory>\Orc)", std::nullopt},
        {"\xEF\xBB\xBF" + kCleanIni, "Kestrane", R"(<Warcraft III directory>\Orc Saga)", std::nullopt},
        {"CAMPAIGNNAME x = Orc: Saga = II\nBACKBITMAP=back.bmp\n", "Orc: Saga = II Installation",
         R"(<Warcraft III directory>\)", "Orc_ Saga = II.lnk"},
    };
    for (const auto& [installIni, title, campaignDirectory, linkName] : cases) {
        const PackageReport report = CheckChangedPackage({{"install.ini", installIni}});
        EXPECT_EQ(report.windowTitle, title) << installIni;
        EXPECT_EQ(report.campaignDirectory, campaignDirectory) << installIni;
        EXPECT_EQ(report.shortcut ? std::optional(report.shortcut->linkName) : std::nullopt, linkName) << installIni;
    }
}

TEST(CheckPackage, MeasuresTheDialogTheBackgroundGives)
{
    const PackageReport report = CheckChangedPackage({{"back.bmp", BitmapFile(640, 480)}});
    ASSERT_TRUE(report.dialog);
    EXPECT_EQ(report.dialog->picture, (Extent{640, 480}));
    EXPECT_EQ(report.dialog->controls.y, 400);
    EXPECT_EQ(report.dialog->controls.Bottom(), 480);
}

TEST(ExitStatus, TellsCleanFromWarningsFromErrors)
{
    struct Case {
        const char* what;
        Changes changes;
        int status;
    };
    const Case cases[] = {
        {"clean", {}, 0},
        {"a warning", {{"Kestrane Files/war3patch.mpq", "patch"}}, 1},
        {"an error among warnings", {{"Kestrane Files/war3patch.mpq", "patch"}, {"back.bmp", std::nullopt}}, 2},
    };
    for (const auto& [what, changes, status] : cases) {
        const PackageReport report = CheckChangedPackage(changes);
        EXPECT_EQ(ExitStatus(report), status) << what << Describe(report.findings);
    }
}

TEST(JsonQuoted, EscapesQuotesBackslashesControlBytesAndBytesAbove127)
{
    struct Case {
        std::string text;
        std::string quoted;
    };
    const Case cases[] = {
        {"Orc Saga", R"("Orc Saga")"},
        {"", R"("")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {R"(..\Orc\)", R"("..\\Orc\\")"},
        {"a\nb\r\tc", R"("a\nb\r\tc")"},
        {"\x01\x1f\x7f"s, R"("\u0001\u001F\u007F")"},
        {"nul\0x"s, R"("nul\u0000x")"},
        {"\xEF\xBB\xBF" "caf\xE9", R"("\u00EF\u00BB\u00BFcaf\u00E9")"},
        {"/ and ~", R"("/ and ~")"},
    };
    for (const auto& [text, quoted] : cases)
        EXPECT_EQ(JsonQuoted(text), quoted);
}

}  // namespace
}  // namespace kestrane
