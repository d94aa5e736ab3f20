#include "Driver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace kestrane::e2e {
namespace {

TEST(Startup, ReportsTheFirstErrorInABoxAndShowsNoDialog)
{
    // install.ini (none when null), a file the package holds besides (when not null) with its
    // bytes (none: a folder), and the box's text; "<package>" stands for the package directory.
    const std::tuple<const char*, const char*, std::optional<std::string>, const char*> cases[] = {
        {nullptr, nullptr, "", "Error: unable to open install.ini!"},
        {"", nullptr, "", "Error: install.ini is empty!"},
        {"CAMPAIGNNAME=Orc Saga\r\nINSTALLDIR=Orc Saga\r\n", nullptr, "", "Error: file not found: "},
        {"BACKBITMAP=missing.bmp\r\n", nullptr, "", "Error: file not found: missing.bmp"},
        {"BACKBITMAP=pictures.bmp\r\n", "pictures.bmp", std::nullopt, "Error: file not found: pictures.bmp"},
        {"BACKBITMAP=  notes.bmp \r\n", "notes.bmp", "not a picture\r\n", "Error: invalid bitmap file: notes.bmp"},
        {"BACKBITMAP=cut.bmp\r\n", "cut.bmp", MakeBitmapFile(64, 48).substr(0, 30),
         "Error: invalid bitmap file: cut.bmp"},
        {"BACKBITMAP=\\\\host\\share\\back.bmp\r\n", nullptr, "", "Error: file not found: \\\\host\\share\\back.bmp"},
        // The package's own bitmap: a probe would find it and show the dialog.
        {"BACKBITMAP=\\\\?\\<package>\\back.bmp\r\n", "back.bmp", MakeBitmapFile(64, 48),
         "Error: file not found: \\\\?\\<package>\\back.bmp"},
    };
    for (const auto& [installIni, name, bytes, expectedText] : cases) {
        SCOPED_TRACE(expectedText);
        PackageDirectory package;
        if (installIni)
            package.WriteInstallIni(Replaced(installIni, "<package>", package.Path()));
        if (name && bytes)
            package.WriteFile(name, *bytes);
        else if (name)
            test::MakeTree(package.Path(), {{name, test::kDirectory}});

        const Program program(package.Path());
        const MessageBoxView box = program.WaitForMessageBox();
        EXPECT_EQ(box.text, Replaced(expectedText, "<package>", package.Path()));
        EXPECT_EQ(box.caption, "Kestrane");
        EXPECT_EQ(box.style, MB_ICONERROR | MB_OK) << box.iconName << " icon";
        EXPECT_EQ(program.Windows().size(), 1u) << "the box is the only dialog";
        box.Answer(IDOK);
        EXPECT_EQ(program.WaitForExit(), 0u) << "the program ends once the box is answered";
    }
}

}  // namespace
}  // namespace kestrane::e2e
