#include "widgets/FolderChooser.h"

#include "framework/UniqueHandle.h"
#include "widgets/ShortenForStatus.h"

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
    m_path = m_initialFolder;
    const UniqueTaskMemory<ITEMIDLIST> chosen(::SHBrowseForFolderA(&m_browseInfo));
    m_dialog = nullptr;
    if (m_callbackError)
        std::rethrow_exception(std::exchange(m_callbackError, nullptr));

    if (!chosen || !ConvertToPath(chosen.Get()))
        return IDCANCEL;
    m_path = m_pathBuffer.data();
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
    m_path = ConvertToPath(item) ? m_pathBuffer.data() : "";
    SetStatusText(ShortenForStatus(m_path));
}

bool FolderChooser::ConvertToPath(PCIDLIST_ABSOLUTE item)
{
    // The shell need not touch the buffer when an item has no path: it is cleared first, so that
    // neither an earlier item's path nor stray bytes can pass for this one's.
    m_pathBuffer.fill('\0');
    if (::SHGetPathFromIDListA(item, m_pathBuffer.data()))
        return true;
    m_pathBuffer.fill('\0');
    return false;
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
