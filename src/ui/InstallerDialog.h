// InstallerDialog: the main window: the campaign's background picture, the game directory field,
// the browse button, the main button (Install or Uninstall) and Exit.
#pragma once

#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "install/core/OperationPaths.h"
#include "install/core/OperationState.h"
#include "package/core/PackageDescription.h"
#include "ui/resource.h"

#include <string>

namespace kestrane {

class InstallerDialog : public Dialog {
public:
    static constexpr int kTemplateId = IDD_KESTRANE_DIALOG;

    explicit InstallerDialog(HWND parent);

    // Start-up hands the dialog the package description, its background and the registered
    // game directory.
    void SetPackage(const PackageDescription& package);
    // False when the file is no bitmap this program shows. A bitmap that the system could not
    // create still counts: the dialog then lays itself out around its own size.
    bool LoadBackground(const std::string& fileName);
    // After SetPackage: the field shows `gameDirectory` (empty, or ending in "\" or ":"), and the
    // main button offers Uninstall when the campaign is installed there.
    void SetGameDirectory(const std::string& gameDirectory);

private:
    std::string m_icon;
    std::string m_campaignName;
    int m_installed = 0;
    UniqueBitmap m_background;
    UniqueBitmap m_shownBackground;  // the background at the window's dpi; none at 96
    int m_dpi = 0;                   // the dpi of the last layout
    std::string m_installDir;
    std::string m_backBitmap;
    WindowHandle m_exitButton;
    WindowHandle m_picture;
    WindowHandle m_frame;
    WindowHandle m_gameDirEdit;
    WindowHandle m_browseButton;
    WindowHandle m_installButton;
    std::string m_gameDir;
    HICON m_hIcon;  // shared by the system's icon cache: never destroyed

protected:
    void DoDataExchange(Exchange way) override;
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;

private:
    // Whether the campaign's "game.dll" exists below `gameDirectory` (empty, or ending in "\" or ":").
    bool CampaignLibraryExists(const std::string& gameDirectory) const;
    void AddAboutItem();
    // At `dpi`; the controls, sized by the system at `controlsDpi`, are scaled from that.
    void LayOutAroundBackground(int dpi, int controlsDpi);
    // WM_DPICHANGED: the window moved to a screen of another scale.
    LRESULT OnDpiChanged(int dpi, const RECT& suggested);

    bool OnSysCommand(UINT command);
    bool OnPaint();
    HICON OnQueryDragIcon();
    void OnBrowse();
    void OnGameDirChange();

    // The main button: Install or Uninstall, as its label says, then the outcome.
    void OnInstallButton();
    void RunProcedureOfLabel(const OperationPaths& paths, OperationState& state);
    void ReportOutcome(const OperationState& state);
};

}  // namespace kestrane
