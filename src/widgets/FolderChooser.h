// FolderChooser: the shell's folder browser, with the chosen folder's path kept in the status line.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <exception>
#include <optional>
#include <string>

namespace kestrane {

// Used once: construct, Browse, then GetPath when Browse returned IDOK. The browser is given this
// object's address, so it is neither copied nor moved.
class FolderChooser {
public:
    // `initialFolder` is preselected (empty for none); BIF_STATUSTEXT is added to `extraFlags`;
    // `owner` may be null.
    FolderChooser(std::string initialFolder, UINT extraFlags, HWND owner);
    FolderChooser(const FolderChooser&) = delete;
    FolderChooser& operator=(const FolderChooser&) = delete;

    // IDOK when the user chose a folder that has a file-system path; IDCANCEL when they cancelled
    // or chose an item without one (a printer, the network neighbourhood).
    int Browse();
    std::string GetPath() const { return m_path; }

private:
    static int CALLBACK BrowseCallback(HWND window, UINT event, LPARAM item, LPARAM chooser);
    void HandleBrowseEvent(HWND window, UINT event, LPARAM item);
    void OnInitialized();
    void OnSelectionChanged(PCIDLIST_ABSOLUTE item);

    // The item's file-system path; none when it has none, or none that the ANSI code page holds.
    static std::optional<std::string> ConvertToPath(PCIDLIST_ABSOLUTE item);
    void SetSelection(const std::string& path) const;
    void SetStatusText(const std::string& text) const;

    BROWSEINFOA m_browseInfo{};
    std::string m_initialFolder;
    std::string m_path;
    // The browser writes the item's display name, not its path, into MAX_PATH bytes.
    std::array<char, MAX_PATH> m_displayName{};
    HWND m_dialog = nullptr;
    std::exception_ptr m_callbackError;
};

}  // namespace kestrane
