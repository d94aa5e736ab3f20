// Installs and uninstalls on a Japanese Windows (ANSI code page 932), which ctest runs this
// file's cases under: its characters "表" (95 5C), "ソ" (83 5C), "能" (94 5C), "十" (8F 5C) and
// "予" (97 5C) end in the byte of "\".
#include "InstallRun.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <ostream>
#include <string>
#include <vector>

namespace kestrane::e2e {
namespace {

constexpr const char* kHyo = "\x95\x5C";
constexpr const char* kSo = "\x83\x5C";
constexpr const char* kNo = "\x94\x5C";
constexpr const char* kJu = "\x8F\x5C";
constexpr const char* kYo = "\x97\x5C";

std::string Repeated(const char* character, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += character;
    return text;
}

// Three folders of 40 "表" each: well under 260 characters, well over 260 bytes.
const std::string kDeep = Repeated(kHyo, 40) + "\\" + Repeated(kHyo, 40) + "\\" + Repeated(kHyo, 40);

// Lies at the root of the drive, where entry paths built on an empty root would land.
constexpr const char* kSentinel = "kestrane-sentinel.txt";

struct Case {
    const char* name;
    std::string gameFolder;  // below the scratch root
    std::string installDir;
    std::string campaignName;
    test::Tree files;               // more of "Kestrane Files", in 932
    std::vector<std::string> wide;  // and more, in UTF-8: names 932 lacks, or best-fits into others
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class InCodePage932 : public InstallRun, public ::testing::WithParamInterface<Case> {
protected:
    InCodePage932() : InstallRun(GetParam().gameFolder) {}
};

TEST_P(InCodePage932, InstallsAndUninstallsNamesThatEndInTheByteOfABackslashExactly)
{
    ASSERT_EQ(::GetACP(), 932u) << "ctest runs these cases with LC_ALL=ja_JP.UTF-8";
    const auto& [name, gameFolder, installDir, campaignName, files, wide] = GetParam();
    const std::string sentinel = std::string("C:\\") + kSentinel;
    test::WriteTextFile(sentinel, "the drive's own");
    test::MakeTree(m_package / "Kestrane Files", files);
    for (const std::string& wideName : wide)
        test::WriteWideFile(test::WideFromUtf8(m_package / "Kestrane Files\\" + wideName), wideName);
    const std::string link = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY) + "\\" + campaignName + ".lnk";
    const test::Tree before = Snapshot(m_root.Path());

    Start(installDir, campaignName);
    EXPECT_EQ(WindowText(m_dialog), campaignName + " Installation");
    EXPECT_EQ(ControlText(m_dialog, IDC_GAME_DIR), m_game + "\\");
    const MessageBoxView done = Install(IDYES);
    EXPECT_EQ(done.text, kDone);
    Dismiss(done);

    test::Tree installed = Installed();
    installed.insert(files.begin(), files.end());
    const std::string campaignKey = gameFolder + "\\" + installDir;
    EXPECT_EQ(test::Without(Snapshot(m_root.Path()), campaignKey), before)
        << "nothing outside the campaign directory changes";
    if (wide.empty()) {
        EXPECT_EQ(Snapshot(Campaign()), installed);
    }
    for (const std::string& wideName : wide)
        EXPECT_EQ(test::ReadWideFile(test::WideFromUtf8(Campaign() + "\\" + wideName)), wideName);
    EXPECT_EQ(ReadTextFile(m_game + "\\Storm.dll"), "stand-in Storm.dll\r\n");
    EXPECT_TRUE(Exists(link)) << link;
    ::DeleteFileA(link.c_str());

    const MessageBoxView gone = Uninstall(IDYES);
    EXPECT_EQ(gone.text, kUninstalled);
    Dismiss(gone);
    EXPECT_EQ(Snapshot(m_root.Path()), before);
    EXPECT_EQ(ReadTextFile(sentinel), "the drive's own");
    ::DeleteFileA(sentinel.c_str());
}

const Case kCases[] = {
    {"TrailingBackslashBytesEverywhere",
     std::string("Warcraft ") + kHyo,
     kSo,
     std::string("Saga ") + kNo,
     {{kHyo, test::kDirectory},
      {std::string(kHyo) + "\\" + kSo + ".w3m", "map"},
      {kJu, test::kDirectory},
      {std::string(kYo) + ".txt", "text"}},
     {}},
    {"AFolderDeeperThan260Bytes",
     "Warcraft III",
     "Orc Saga",
     "Orc Saga",
     {{Repeated(kHyo, 40), test::kDirectory},
      {Repeated(kHyo, 40) + "\\" + Repeated(kHyo, 40), test::kDirectory},
      {kDeep, test::kDirectory},
      {kDeep + "\\" + kSentinel, "deep"}},
     {}},
    // "한" and "é" are not in 932; "¥" best-fits to the byte of "\" there.
    {"NamesOutside932AndABestFitName",
     "Warcraft III",
     "Orc Saga",
     "Orc Saga",
     {},
     {"Maps\\\xED\x95\x9C.w3m", "caf\xC3\xA9.txt", "..\xC2\xA5Storm.dll"}},
};

INSTANTIATE_TEST_SUITE_P(Packages, InCodePage932, ::testing::ValuesIn(kCases), kCaseName);

}  // namespace
}  // namespace kestrane::e2e
