#include "InstallRun.h"

#include "GameDllRewriteReference.h"


namespace kestrane::e2e {

std::string ReadBytes(const std::string& path)
{
    const UniqueFileHandle file(
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return "<missing>";
    std::string bytes(::GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Rewritten(std::string bytes)
{
    test::RewriteGameDllReference(std::as_writable_bytes(std::span(bytes.data(), bytes.size())));
    return bytes;
}

std::map<std::string, std::string> Snapshot(const std::string& directory, const std::string& prefix)
{
    std::map<std::string, std::string> entries;
    WIN32_FIND_DATAA entry;
    const HANDLE search = ::FindFirstFileA((directory + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries[prefix + name + "\\"] = "<folder>";
            entries.merge(Snapshot(directory + "\\" + name, prefix + name + "\\"));
        } else {
            entries[prefix + name] = ReadBytes(directory + "\\" + name);
        }
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    return entries;
}

InstallRun::InstallRun() : m_game(m_root / "Warcraft III"), m_registered(m_game)
{
    MakeStandInGameDirectory(m_game);
    m_package.WriteFile("back.bmp", MakeBitmapFile(320, 240));
    m_package.MakeDirectory("Kestrane Files");
    m_package.MakeDirectory("Kestrane Files\\Maps");
    m_package.WriteFile("Kestrane Files\\Maps\\Chapter1.w3m", "chapter one");
    m_package.WriteFile("Kestrane Files\\saga.ico", "icon");
}

InstallRun::~InstallRun()
{
    if (!m_program || !m_dialog || !::IsWindow(m_dialog))
        return;
    try {
        Exit();
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
}

void InstallRun::Start(const std::string& installDir, const std::string& campaignName)
{
    m_package.WriteInstallIni("CAMPAIGNNAME=" + campaignName + "\r\nICON=saga.ico\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=" +
                              installDir + "\r\n");
    m_program.emplace(m_package.Path());
    m_dialog = m_program->WaitForMainDialog();
}

void InstallRun::Exit()
{
    Click(m_dialog, IDOK);
    EXPECT_EQ(m_program->WaitForExit(), 0u);
    m_program.reset();
    m_dialog = nullptr;
}

MessageBoxView InstallRun::Install(int shortcut)
{
    Click(m_dialog, kInstallButtonId);
    MessageBoxView box = m_program->WaitForMessageBox();
    if (box.text == "Create desktop shortcut?\n") {
        EXPECT_EQ(box.Style(), static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        box.Answer(shortcut);
        box = m_program->WaitForMessageBox();
    }
    return box;
}

MessageBoxView InstallRun::Uninstall(int answer)
{
    Click(m_dialog, kInstallButtonId);
    const MessageBoxView question = m_program->WaitForMessageBox();
    std::string expected = "Are you sure you want to remove all the files of \"";
    expected += Campaign();
    expected += "\" ?";
    EXPECT_EQ(question.text, expected);
    EXPECT_EQ(question.Style(), static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    if (answer == 0) {
        ::PostMessageA(question.window, WM_CLOSE, 0, 0);
        WaitFor("the closed question to go", [&] { return !::IsWindow(question.window); });
    } else {
        question.Answer(answer);
    }
    return m_program->WaitForMessageBox();
}

void InstallRun::Dismiss(const MessageBoxView& box)
{
    box.Answer(IDOK);
    WaitFor("the main button to be enabled",
            [&] { return ::IsWindowEnabled(Control(m_dialog, kInstallButtonId)) != FALSE; });
}

}  // namespace kestrane::e2e
