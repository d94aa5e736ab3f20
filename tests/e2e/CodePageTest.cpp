// Installs and uninstalls on a Japanese Windows (ANSI code page 932), which ctest runs this
// file's cases under: its characters "表" (95 5C), "ソ" (83 5C), "能" (94 5C), "十" (8F 5C) and
// "予" (97 5C) end in the byte of "\".
#include "InstallRun.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

namespace kestrane::e2e {
namespace {

constexpr const char* kDone = "Installation done sucessfully!";
constexpr const char* kUninstalled =
    "Uninstallation done sucessfully!\n(Don't forget to remove the shortcuts yourself!)";

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
    const char* what;
    std::string gameFolder;  // below the scratch root
    std::string installDir;
    std::string campaignName;
    test::Tree files;                // of "Kestrane Files", in 932
    std::vector<std::string> wide;   // more of them, in UTF-8: names 932 lacks, or best-fits into others
};

// The entries of `tree` below `prefix`, and those outside it.
test::Tree Below(const test::Tree& tree, const std::string& prefix, bool inside)
{
    test::Tree part;
    for (const auto& [path, content] : tree) {
        if ((path == prefix || path.starts_with(prefix + "\\")) == inside)
            part.emplace(path, content);
    }
    return part;
}

TEST(InCodePage932, InstallsAndUninstallsNamesThatEndInTheByteOfABackslashExactly)
{
    ASSERT_EQ(::GetACP(), 932u) << "ctest runs these cases with LC_ALL=ja_JP.UTF-8";
    const Case cases[] = {
        {"trailing 0x5C everywhere", std::string("Warcraft ") + kHyo, kSo, std::string("Saga ") + kNo,
         {{kHyo, test::kDirectory},
          {std::string(kHyo) + "\\" + kSo + ".w3m", "map"},
          {kJu, test::kDirectory},
          {std::string(kYo) + ".txt", "text"}},
         {}},
        {"a folder deeper than 260 bytes", "Warcraft III", "Orc Saga", "Orc Saga",
         {{Repeated(kHyo, 40), test::kDirectory},
          {Repeated(kHyo, 40) + "\\" + Repeated(kHyo, 40), test::kDirectory},
          {kDeep, test::kDirectory},
          {kDeep + "\\" + kSentinel, "deep"}},
         {}},
        // "한" and "é" are not in 932; "¥" best-fits to the byte of "\" there.
        {"names outside 932 and a best-fit name", "Warcraft III", "Orc Saga", "Orc Saga",
         {{"Maps", test::kDirectory}},
         {"Maps\\\xED\x95\x9C.w3m", "caf\xC3\xA9.txt", "..\xC2\xA5Storm.dll"}},
    };
    const std::string sentinel = std::string("C:\\") + kSentinel;
    test::WriteTextFile(sentinel, "the drive's own");
    const std::string desktop = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY);

    for (const auto& [what, gameFolder, installDir, campaignName, files, wide] : cases) {
        SCOPED_TRACE(what);
        ScratchDirectory root("game");
        const std::string game = root / gameFolder;
        ASSERT_TRUE(::CreateDirectoryA(game.c_str(), nullptr));
        MakeStandInGameDirectory(game);
        const InstallPathScope registered(game);
        PackageDirectory package;
        package.WriteInstallIni("CAMPAIGNNAME=" + campaignName + "\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=" + installDir +
                                "\r\n");
        package.WriteFile("back.bmp", MakeBitmapFile(320, 240));
        package.MakeDirectory("Kestrane Files");
        test::MakeTree(package / "Kestrane Files", files);
        for (const std::string& name : wide)
            test::WriteWideFile(test::WideFromUtf8(package / "Kestrane Files\\" + name), name);
        const std::string campaign = game + "\\" + installDir;
        const std::string link = desktop + "\\" + campaignName + ".lnk";
        const test::Tree before = Snapshot(root.Path());

        Program program(package.Path());
        const HWND dialog = program.WaitForMainDialog();
        EXPECT_EQ(WindowText(dialog), campaignName + " Installation");
        EXPECT_EQ(ControlText(dialog, kGameDirId), game + "\\");
        Click(dialog, kInstallButtonId);
        MessageBoxView box = program.WaitForMessageBox();
        EXPECT_EQ(box.text, "Create desktop shortcut?\n");
        box.Answer(IDYES);
        box = program.WaitForMessageBox();
        EXPECT_EQ(box.text, kDone);
        box.Answer(IDOK);

        test::Tree installed = files;
        installed["game.dll"] = Rewritten(StandInGameDll());
        for (const char* name : kGameFiles)
            installed[name] = ReadBytes(game + "\\" + name);
        const test::Tree after = Snapshot(root.Path());
        const std::string campaignKey = gameFolder + "\\" + installDir;
        EXPECT_EQ(Below(after, campaignKey, false), before) << "nothing outside the campaign directory changes";
        if (wide.empty()) {
            EXPECT_EQ(Snapshot(campaign), installed);
        }
        for (const std::string& name : wide)
            EXPECT_EQ(test::ReadWideFile(test::WideFromUtf8(campaign + "\\" + name)), name);
        EXPECT_EQ(ReadBytes(game + "\\Storm.dll"), "stand-in Storm.dll\r\n");
        EXPECT_TRUE(Exists(link)) << link;
        ::DeleteFileA(link.c_str());

        WaitFor("the main button to be enabled", [&] { return ::IsWindowEnabled(Control(dialog, kInstallButtonId)); });
        Click(dialog, kInstallButtonId);
        box = program.WaitForMessageBox();
        EXPECT_EQ(box.text, "Are you sure you want to remove all the files of \"" + campaign + "\" ?");
        box.Answer(IDYES);
        box = program.WaitForMessageBox();
        EXPECT_EQ(box.text, kUninstalled);
        box.Answer(IDOK);
        EXPECT_EQ(Snapshot(root.Path()), before);
        EXPECT_EQ(ReadBytes(sentinel), "the drive's own");
        Click(dialog, IDOK);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    ::DeleteFileA(sentinel.c_str());
}

}  // namespace
}  // namespace kestrane::e2e
