#include "check/PackageCheck.h"
#include "check/ReportFormat.h"

#include "BitmapFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace kestrane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using enum Check;
using enum Severity;

const std::string kBackground = test::MakeBitmapFile(100, 90);
const std::string kCleanIni = "CAMPAIGNNAME=Orc Saga\r\nICON=orc.ico\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n";

// The clean install.ini with another value for `key`.
std::string IniWith(const std::string& key, std::string_view value)
{
    std::string ini = kCleanIni;
    const std::size_t start = ini.find(key + "=") + key.size() + 1;
    return ini.replace(start, ini.find('\r', start) - start, value);
}

// Files of the clean package to change: nullopt leaves the file out, and a name ending in "/"
// puts a folder in place of the file of that name.
using Changes = std::map<std::string, std::optional<std::string>>;

PackageReport CheckChangedPackage(const Changes& changes, unsigned codePage = kDefaultCodePage)
{
    std::random_device random;
    const fs::path root =
        fs::temp_directory_path() / ("kestrane-check-" + std::to_string(random()) + std::to_string(random()));
    Changes files = {{"install.ini", kCleanIni},
                     {"back.bmp", kBackground},
                     {"Kestrane Files/orc.ico", "icon"},
                     {"Kestrane Files/map.w3m", "map"}};
    for (const auto& [name, bytes] : changes)
        files[name] = bytes;
    for (const auto& [name, bytes] : files) {
        if (!bytes || files.contains(name + "/"))
            continue;
        // The names are UTF-8, which a Windows path takes only as such.
        const fs::path path = root / fs::path(std::u8string(name.begin(), name.end()));
        fs::create_directories(path.parent_path());
        if (!name.ends_with('/'))
            std::ofstream(path, std::ios::binary) << *bytes;
    }
    const PackageReport report = CheckPackage(root.string(), codePage);
    fs::remove_all(root);
    return report;
}

std::string Describe(const Changes& changes)
{
    std::string text = "package changed:";
    for (const auto& [name, bytes] : changes)
        text += " " + name + (!bytes ? " left out" : bytes->size() > 200 ? " rewritten" : "=\"" + *bytes + "\"");
    return text;
}

struct Expected {
    Check check;
    Severity severity;
    int line;              // 0: none
    std::string mentions;  // a part of the message that tells the author what happens
};

std::string Head(Severity severity, Check check, int line)
{
    return std::string(NameOf(severity)) + " " + std::string(CodeOf(check)) + " line " + std::to_string(line);
}

// The findings in order, each shown with its message unless that mentions what is expected, and
// the exit status they add up to.
void ExpectFindings(const std::vector<std::pair<Changes, std::vector<Expected>>>& rows,
                    unsigned codePage = kDefaultCodePage)
{
    for (const auto& [changes, expected] : rows) {
        const PackageReport report = CheckChangedPackage(changes, codePage);
        std::vector<std::string> actual;
        std::vector<std::string> wanted;
        for (const auto& [check, severity, line, mentions] : expected)
            wanted.push_back(Head(severity, check, line) + " mentioning \"" + mentions + "\"");
        for (const Finding& f : report.findings) {
            const std::size_t i = actual.size();
            const bool mentions = i < expected.size() && f.message.find(expected[i].mentions) != std::string::npos;
            actual.push_back(Head(f.severity, f.check, f.line.value_or(0)) +
                             (mentions ? " mentioning \"" + expected[i].mentions + "\"" : ": " + f.message));
        }
        EXPECT_EQ(actual, wanted) << Describe(changes) << " in code page " << codePage;
        const bool error = std::ranges::any_of(expected, [](const Expected& e) { return e.severity == Error; });
        EXPECT_EQ(ExitStatus(report), error ? 2 : expected.empty() ? 0 : 1) << Describe(changes);
    }
}

TEST(CheckPackage, FindsEachPitfallOnceAndNothingWhereThereIsNone)
{
    const Expected noIcon{IconNotInCampaignFiles, Warning, 2, "looks for the icon in the campaign directory"};
    ExpectFindings({
        {{}, {}},
        {{{"install.ini", std::nullopt}}, {{NoPackageDescription, Error, 0, "\"Error: unable to open install.ini!\""}}},
        {{{"install.ini/", ""}}, {{NoPackageDescription, Error, 0, "unable to open"}}},
        {{{"install.ini", ""}}, {{EmptyPackageDescription, Error, 0, "\"Error: install.ini is empty!\""}}},
        {{{"install.ini", "CAMPAIGNNAME=No installdir needed\nBACKBITMAP=back.bmp\nINSTALLDIR=War\n"}},
         {{KeyHidden, Error, 3, "inside line 1"}}},
        {{{"install.ini", "\xEF\xBB\xBF" + kCleanIni}}, {{BytesBeforeKey, Warning, 1, "byte-order mark"}}},
        {{{"install.ini", "\xEF\xBB\xBF"
                          "BACKBITMAP=back.bmp\nCAMPAIGNNAME=Orc\nICON=orc.ico\nINSTALLDIR=Orc\n"}},
         {{BytesBeforeKey, Error, 1, "\"Error: file not found: \""}}},
        {{{"install.ini", "CAMPAIGNNAME=Orc\nICON=orc.ico\nBACKBITMAP=back.bmp\n INSTALLDIR=Orc\n"}},
         {{BytesBeforeKey, Error, 4, "1 byte (20)"}}},
        {{{"install.ini", "CAMPAIGNNAME=Orc Saga\nICON orc.ico\nBACKBITMAP=back.bmp\nINSTALLDIR"}},
         {{KeyWithoutEquals, Warning, 2, "(\"ICON orc.ico\") has no \"=\""}, {KeyWithoutEquals, Error, 4, "refuses"}}},
        {{{"install.ini", "CAMPAIGNNAME=\nICON=orc.ico\nBACKBITMAP=  \nINSTALLDIR=Orc Saga\n"}},
         {{EmptyValue, Warning, 1, "title \"Kestrane\""}, {EmptyValue, Error, 3, "nothing after \"=\""}}},
        {{{"install.ini", kCleanIni + "icon=other.ico\r\n"}}, {{KeyRepeated, Warning, 5, "read ICON from line 2"}}},
        {{{"install.ini", "[Setup]\n"}},
         {{KeyMissing, Warning, 0, "No line begins with CAMPAIGNNAME"},
          {KeyMissing, Error, 0, "BACKBITMAP"},
          {KeyMissing, Error, 0, "INSTALLDIR"}}},
        {{{"install.ini", IniWith("INSTALLDIR", "Orc Saga/.")}}, {}},
        {{{"install.ini", IniWith("INSTALLDIR", "D:")}},
         {{InstallDirUnsafe, Error, 4, "cleaned by the installer to \"\""}}},
        {{{"install.ini", IniWith("BACKBITMAP", R"(ART\Back.BMP)")}, {"art/back.bmp", kBackground}}, {}},
        {{{"install.ini", IniWith("BACKBITMAP", R"(C:\Art\back.bmp)")}}, {{BitmapAbsolute, Warning, 3, "outside"}}},
        {{{"install.ini", IniWith("BACKBITMAP", R"(\\host\share\back.bmp)")}},
         {{BitmapNetwork, Error, 3, R"("Error: file not found: \\host\share\back.bmp")"}}},
        {{{"install.ini", IniWith("BACKBITMAP", "//host/share/back.bmp")}}, {{BitmapNetwork, Error, 3, "never opens"}}},
        {{{"install.ini", IniWith("INSTALLDIR", "Orc Saga .")}}, {{InstallDirTrimmed, Error, 4, "ending in"}}},
        {{{"install.ini", IniWith("INSTALLDIR", R"(Orc \Saga)")}},
         {{InstallDirNested, Warning, 4, "2 folders deep"}, {InstallDirTrimmed, Error, 4, "refuses"}}},
        {{{"install.ini", IniWith("INSTALLDIR", "maps")}}, {{InstallDirGameFolder, Error, 4, R"(the "maps" folder)"}}},
        {{{"install.ini", IniWith("INSTALLDIR", "Redist")}}, {{InstallDirGameFolder, Error, 4, "player's own"}}},
        {{{"install.ini", IniWith("INSTALLDIR", R"(Maps\Orc Saga)")}},
         {{InstallDirNested, Warning, 4, "2 folders deep"}}},
        {{{"back.bmp", std::nullopt}}, {{BitmapMissing, Error, 3, "\"Error: file not found: back.bmp\""}}},
        {{{"back.bmp/", ""}}, {{BitmapNotAFile, Error, 3, "\"Error: file not found: back.bmp\""}}},
        {{{"back.bmp", "BM"}}, {{BitmapNotABitmap, Error, 0, "only 2 bytes long"}}},
        {{{"back.bmp", kBackground.substr(0, 30)}},
         {{BitmapRejected, Error, 0, "\"Error: invalid bitmap file: back.bmp\""}}},
        {{{"back.bmp", test::MakeBitmapFile(100, 79)}}, {{BitmapTooLow, Warning, 0, "only 79 pixels high"}}},
        {{{"back.bmp", test::MakeBitmapFile(100, 80)}}, {}},
        {{{"Kestrane Files/orc.ico", std::nullopt},
          {"Kestrane Files/map.w3m", std::nullopt},
          {"install.ini", IniWith("ICON", "")}},
         {{EmptyValue, Warning, 2, "game's own icon"}, {NoCampaignFiles, Warning, 0, "copies nothing"}}},
        {{{"Kestrane Files/orc.ico", std::nullopt}, {"orc.ico", "icon"}},
         {{IconNotInCampaignFiles, Warning, 2, "The package directory has it"}}},
        {{{"install.ini", IniWith("ICON", R"(kestrane files\orc.ico)")}},
         {{IconNotInCampaignFiles, Warning, 2, "without that folder's name"}}},
        {{{"Kestrane Files/orc.ico", std::nullopt}}, {noIcon}},
        {{{"install.ini", IniWith("ICON", R"(..\orc.ico)")}, {"orc.ico", "icon"}}, {noIcon}},
        {{{"install.ini", IniWith("ICON", R"(Icons\ORC.ico)")}, {"Kestrane Files/icons/orc.ico", "icon"}}, {}},
        {{{"install.ini", IniWith("CAMPAIGNNAME", "A: B\tC")}},
         {{LinkNameReplaced, Warning, 1, R"((":", byte 09), so the desktop shortcut is called "A_ B_C.lnk")"}}},
    });
    for (const std::string value : {".", "..", "...", ". .", "Orc/..", "../Orc Saga", R"(C:\)"})
        ExpectFindings({{{{"install.ini", IniWith("INSTALLDIR", value)}}, {{InstallDirUnsafe, Error, 4, "refuses"}}}});
}

// Names as the disk holds them (UTF-8 here) and values as install.ini's bytes, read on a Western
// and on a Japanese Windows. "表" is 95 5C and "ソ" 83 5C in 932; 1252 holds neither "表" nor "地図".
TEST(CheckPackage, WarnsOfNamesThatACodePageReadsOtherwiseAndOfPathsTooLong)
{
    // Below "C:\Program Files (x86)\Warcraft III\" and INSTALLDIR, the folder takes 257 characters
    // and the file in it 265.
    const std::string longInstallDir(150, 'c');
    const std::string deepFile = "Kestrane Files/" + std::string(70, 'a') + "/map.w3m";
    struct Row {
        Changes changes;
        std::vector<Expected> in1252;
        std::vector<Expected> in932;
    };
    const Expected backslash{BackslashSecondByte, Warning, 0, "second byte in code page 932 is 5C"};
    const Row rows[] = {
        {{{"Kestrane Files/Maps/x.w3m", "map"}}, {}, {}},
        {{{"Kestrane Files/\u8868.w3m", "map"}},
         {{NameBeyondAscii, Warning, 0, "which code page 1252 cannot hold"}},
         {backslash, {NameBeyondAscii, Warning, 0, "other than code page 932 may not hold"}}},
        {{{"Kestrane Files/\u5730\u56F3/x.w3m", "map"}},
         {{NameBeyondAscii, Warning, 0, "\"Kestrane Files\\\u5730\u56F3\" has characters beyond ASCII"}},
         {{NameBeyondAscii, Warning, 0, "may not hold"}}},
        {{{"install.ini", IniWith("INSTALLDIR", "\x95\x5C")}},
         {{InstallDirCleaned, Warning, 4, "cleaned by the installer to \"\x95\""},
          {NameBeyondAscii, Warning, 4, "not code page 1252, the campaign directory gets another name"}},
         {{BackslashSecondByte, Warning, 4, "INSTALLDIR \"\x95\x5C\" holds a character"},
          {NameBeyondAscii, Warning, 4, "not code page 932"}}},
        {{{"install.ini", IniWith("CAMPAIGNNAME", "Orc \x83\x5C")}},
         {{LinkNameReplaced, Warning, 1, "(\"\\\")"}, {NameBeyondAscii, Warning, 1, "the window title"}},
         {{BackslashSecondByte, Warning, 1, "CAMPAIGNNAME"}, {NameBeyondAscii, Warning, 1, "the window title"}}},
        {{{deepFile, "map"}, {"install.ini", IniWith("INSTALLDIR", longInstallDir)}},
         {{PathTooLong, Warning, 0,
           "map.w3m\" becomes 265 characters long below \"C:\\Program Files (x86)\\Warcraft III\\c"}},
         {{PathTooLong, Warning, 0, "259 characters"}}},
    };
    for (const auto& [changes, in1252, in932] : rows) {
        ExpectFindings({{changes, in1252}}, 1252);
        ExpectFindings({{changes, in932}}, 932);
    }
}

TEST(CheckPackage, ShowsTheDialogAndNoShortcutForANamelessCampaign)
{
    PackageReport report = CheckChangedPackage({{"back.bmp", test::MakeBitmapFile(640, 480)}});
    ASSERT_TRUE(report.dialog);
    EXPECT_EQ(report.dialog->picture, (Extent{640, 480}));
    EXPECT_EQ(report.dialog->controls.y, 400);
    EXPECT_EQ(report.dialog->controls.Bottom(), 480);
    EXPECT_EQ(report.dialog->picture150, (Extent{960, 720}));
    EXPECT_EQ(report.dialog->controls150.y, 600);
    EXPECT_EQ(report.dialog->controls150.Bottom(), 720);

    report = CheckChangedPackage({{"install.ini", "BACKBITMAP=back.bmp\nINSTALLDIR=..\\Orc\\\n"}});
    EXPECT_EQ(report.windowTitle, "Kestrane");
    EXPECT_EQ(report.campaignDirectory, R"(<Warcraft III directory>\Orc)");
    EXPECT_FALSE(report.shortcut) << report.shortcut->linkName;
}

TEST(JsonQuoted, EscapesQuotesBackslashesControlBytesAndBytesAbove127)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", R"("")"},
        {R"(say "hi" in ..\Orc\ / ~)", R"("say \"hi\" in ..\\Orc\\ / ~")"},
        {"a\nb\r\tc\x01\x1f\x7fnul\0x"s, R"("a\nb\r\tc\u0001\u001F\u007Fnul\u0000x")"},
        {"\xEF\xBB\xBF"
         "caf\xE9",
         R"("\u00EF\u00BB\u00BFcaf\u00E9")"},
    };
    for (const auto& [text, quoted] : cases)
        EXPECT_EQ(JsonQuoted(text), quoted);
}

}  // namespace
}  // namespace kestrane
