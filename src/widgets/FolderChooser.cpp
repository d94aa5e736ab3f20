#include "widgets/FolderChooser.h"

#include "framework/ShellPath.h"
#include "framework/SystemFunction.h"
#include "framework/UniqueHandle.h"
#include "framework/WideText.h"
#include "widgets/core/ShortenForStatus.h"

#include <utility>

namespace kestrane {

FolderChooser::FolderChooser(std::string initialFolder, UINT extraFlags, HWND owner)
    : m_initialFolder(std::move(initialFolder))
{
    m_browseInfo.hwndOwner = owner;
    m_browseInfo.pidlRoot = nullptr;
    m_browseInfo.pszDisplayName = m_displayName.data();
    m_browseInfo.lpszTitle = "Current Selection:";
    m_browseInfo.ulFlags = extraFlags | BIF_STATUSTEXT;
    m_browseInfo.lpfn = &BrowseCallback;
    m_browseInfo.lParam = reinterpret_cast<LPARAM>(this);
    m_browseInfo.iImage = 0;
}

int FolderChooser::Browse()
{
    static const SystemFunction<decltype(::SHBrowseForFolderA)> browseForFolder("shell32.dll!SHBrowseForFolderA");
    m_path = m_initialFolder;
    const auto browse = browseForFolder.Get();
    if (!browse)
        return IDCANCEL;
    const UniqueTaskMemory<ITEMIDLIST> chosen(browse(&m_browseInfo));
    m_dialog = nullptr;
    if (m_callbackError)
        std::rethrow_exception(std::exchange(m_callbackError, nullptr));

    const std::optional<std::string> path = chosen ? ConvertToPath(chosen.Get()) : std::nullopt;
    if (!path)
        return IDCANCEL;
    m_path = *path;
    return IDOK;
}

int CALLBACK FolderChooser::BrowseCallback(HWND window, UINT event, LPARAM item, LPARAM chooser)
{
    auto* self = reinterpret_cast<FolderChooser*>(chooser);
    try {
        self->HandleBrowseEvent(window, event, item);
    } catch (...) {
        // Nothing may unwind through the shell: the browser is closed and Browse rethrows.
        if (!self->m_callbackError)
            self->m_callbackError = std::current_exception();
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return 0;
}

void FolderChooser::HandleBrowseEvent(HWND window, UINT event, LPARAM item)
{
    m_dialog = window;
    if (event == BFFM_INITIALIZED)
        OnInitialized();
    else if (event == BFFM_SELCHANGED)
        OnSelectionChanged(reinterpret_cast<PCIDLIST_ABSOLUTE>(item));
}

void FolderChooser::OnInitialized()
{
    SetSelection(m_initialFolder);
    SetStatusText(ShortenForStatus(m_initialFolder));
}

void FolderChooser::OnSelectionChanged(PCIDLIST_ABSOLUTE item)
{
    // An item without a path (My Computer, a printer) shows an empty status line.
    m_path = ConvertToPath(item).value_or(std::string());
    SetStatusText(ShortenForStatus(m_path));
}

std::optional<std::string> FolderChooser::ConvertToPath(PCIDLIST_ABSOLUTE item)
{
    const std::wstring path = ShellItemPath(item);
    if (path.empty())
        return std::nullopt;
    return ExactAnsiFromWide(path);
}

void FolderChooser::SetSelection(const std::string& path) const
{
    ::SendMessageA(m_dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
}

void FolderChooser::SetStatusText(const std::string& text) const
{
    ::SendMessageA(m_dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace kestrane
