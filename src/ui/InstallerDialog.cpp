#include "ui/InstallerDialog.h"

#include "common/InstallerContract.h"
#include "common/Text.h"
#include "framework/Application.h"
#include "framework/DeviceContext.h"
#include "framework/MessageBox.h"
#include "framework/Probes.h"
#include "install/CampaignDirectoryCheck.h"
#include "install/InstallProcedure.h"
#include "install/UninstallProcedure.h"
#include "ui/AboutDialog.h"
#include "ui/BackgroundBitmap.h"
#include "ui/core/InstallerDialogRules.h"
#include "widgets/FolderChooser.h"
#include "widgets/ProgressWindow.h"

#include <array>

namespace kestrane {
namespace {

std::string LoadResourceString(UINT id)
{
    std::array<char, 256> text{};
    const int length = ::LoadStringA(Application::ModuleHandle(), id, text.data(), static_cast<int>(text.size()));
    return {text.data(), static_cast<std::size_t>(length > 0 ? length : 0)};
}

constexpr const char* kNotWarcraftDirectory =
    "Error!\nThe directory you specidied is not Warcraft III directory!\nPlease fix that! Your Warcraft III "
    "directory must contain war3.mpq.";

int Ask(const std::string& text, unsigned style)
{
    return MessageBox(text, style);
}

// The install, in a progress window owned by `owner` that keeps the windows painting while the
// files are copied and is hidden before the shortcut question.
void InstallWithProgress(HWND owner, const OperationPaths& paths, const std::string& campaignName,
                         const std::string& icon, OperationState& state)
{
    ProgressWindow progress(owner, "Progress", false);
    progress.SetRange(0, kInstallProgressEnd, 1);
    progress.SetText("Installing, please wait...");
    // Escape hides the window but never stops the install: a half-made campaign is worse.
    const auto setPosition = [&progress](int position) {
        progress.SetPos(position);
        progress.PumpMessages(true);
    };
    InstallCampaign(
        paths, campaignName, icon, setPosition, [&progress] { progress.Hide(); }, state, &Ask);
}

// WM_DPICHANGED, which the headers for Windows 7 do not name.
constexpr UINT kDpiChanged = 0x02E0;

// The window's size, scaled from the dpi it was made at to the one it is laid out at.
Extent SizeOf(const WindowHandle& window, int from, int to)
{
    const RECT rect = window.GetWindowRect();
    return {::MulDiv(rect.right - rect.left, to, from), ::MulDiv(rect.bottom - rect.top, to, from)};
}

// `source` stretched smoothly to `size`; none when the system cannot make it.
UniqueBitmap StretchBitmap(HBITMAP source, Extent from, Extent size)
{
    const WindowDc screen(nullptr);
    if (!screen)
        return {};
    UniqueBitmap stretched(::CreateCompatibleBitmap(screen.Get(), size.width, size.height));
    const UniqueMemoryDc sourceDc(::CreateCompatibleDC(screen.Get()));
    const UniqueMemoryDc targetDc(::CreateCompatibleDC(screen.Get()));
    if (!stretched || !sourceDc || !targetDc)
        return {};
    const SelectedObject sourceSelected(sourceDc.Get(), source);
    const SelectedObject targetSelected(targetDc.Get(), stretched.Get());
    // HALFTONE averages the source pixels; it wants the brush origin set after it is chosen.
    ::SetStretchBltMode(targetDc.Get(), HALFTONE);
    ::SetBrushOrgEx(targetDc.Get(), 0, 0, nullptr);
    const BOOL drawn = ::StretchBlt(targetDc.Get(), 0, 0, size.width, size.height, sourceDc.Get(), 0, 0, from.width,
                                    from.height, SRCCOPY);
    return drawn ? std::move(stretched) : UniqueBitmap{};
}

}  // namespace

InstallerDialog::InstallerDialog(HWND parent)
    : Dialog(kTemplateId, parent), m_hIcon(::LoadIconA(Application::ModuleHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
}

void InstallerDialog::SetPackage(const PackageDescription& package)
{
    m_campaignName = package.campaignName;
    m_icon = package.icon;
    m_backBitmap = package.backBitmap;
    m_installDir = package.installDir;
}

bool InstallerDialog::LoadBackground(const std::string& fileName)
{
    std::optional<UniqueBitmap> bitmap = LoadBackgroundBitmap(fileName);
    if (!bitmap)
        return false;
    m_background = std::move(*bitmap);
    return true;
}

void InstallerDialog::SetGameDirectory(const std::string& gameDirectory)
{
    m_gameDir = gameDirectory;
    m_installed = CampaignLibraryExists(gameDirectory) ? 1 : 0;
}

bool InstallerDialog::CampaignLibraryExists(const std::string& gameDirectory) const
{
    return FileExists(CampaignLibraryPath(gameDirectory, m_installDir));
}

void InstallerDialog::DoDataExchange(Exchange way)
{
    AttachControl(IDOK, m_exitButton);
    AttachControl(IDC_PICTURE, m_picture);
    AttachControl(IDC_FRAME, m_frame);
    AttachControl(IDC_GAME_DIR, m_gameDirEdit);
    AttachControl(IDC_BROWSE_BUTTON, m_browseButton);
    AttachControl(IDC_INSTALL_BUTTON, m_installButton);
    ExchangeText(way, IDC_GAME_DIR, m_gameDir);
}

std::optional<LRESULT> InstallerDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr MessageMapEntry<InstallerDialog> kMessageMap[] = {
        {WM_SYSCOMMAND, 0, 0, &InstallerDialog::OnSysCommand},
        {WM_PAINT, 0, 0, &InstallerDialog::OnPaint},
        {WM_QUERYDRAGICON, 0, 0, &InstallerDialog::OnQueryDragIcon},
        {WM_COMMAND, IDC_BROWSE_BUTTON, BN_CLICKED, &InstallerDialog::OnBrowse},
        {WM_COMMAND, IDC_GAME_DIR, EN_CHANGE, &InstallerDialog::OnGameDirChange},
        {WM_COMMAND, IDC_INSTALL_BUTTON, BN_CLICKED, &InstallerDialog::OnInstallButton},
    };
    if (auto result = WalkMessageMap(*this, kMessageMap, message, wParam))
        return result;
    if (message == kDpiChanged)
        return OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return Dialog::HandleMessage(message, wParam, lParam);
}

bool InstallerDialog::OnInitDialog()
{
    Dialog::OnInitDialog();
    AddAboutItem();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText(MainWindowTitle(m_campaignName));
    const int dpi = GetDpi();
    LayOutAroundBackground(dpi, dpi);
    m_installButton.SetWindowText(std::string(MainButtonLabel(m_installed)));
    m_exitButton.SetFocus();
    UpdateData(Exchange::ToControls);
    return true;
}

void InstallerDialog::AddAboutItem()
{
    const HMENU systemMenu = ::GetSystemMenu(m_hwnd, FALSE);
    if (!systemMenu)
        return;
    const std::string about = LoadResourceString(IDS_ABOUTBOX);
    if (about.empty())
        return;
    ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(systemMenu, MF_STRING, kAboutCommand, about.c_str());
}

void InstallerDialog::LayOutAroundBackground(int dpi, int controlsDpi)
{
    m_dpi = dpi;
    InstallerDialogLayoutInput input;
    input.dpi = dpi;
    input.window = ToPlacement(GetWindowRect());
    // The picture goes to the client origin, so its top-left corner is the client area's.
    POINT clientOrigin{0, 0};
    ::ClientToScreen(m_hwnd, &clientOrigin);
    input.clientLeft = clientOrigin.x;
    input.clientTop = clientOrigin.y;
    BITMAP bitmap{};
    if (m_background && ::GetObjectA(m_background.Get(), sizeof bitmap, &bitmap))
        input.background = Extent{bitmap.bmWidth, bitmap.bmHeight};
    input.editHeight = SizeOf(m_gameDirEdit, controlsDpi, dpi).height;
    input.browseButton = SizeOf(m_browseButton, controlsDpi, dpi);
    input.installButton = SizeOf(m_installButton, controlsDpi, dpi);
    input.exitButton = SizeOf(m_exitButton, controlsDpi, dpi);
    const InstallerDialogLayout layout = LayOutInstallerDialog(input);

    m_picture.SetWindowPos(HWND_TOP, layout.picture.x, layout.picture.y, layout.picture.width, layout.picture.height,
                           SWP_SHOWWINDOW);
    if (input.background) {
        // At 96 dpi the bitmap is shown pixel for pixel, as it is.
        // The control keeps showing the previous one until it is handed the new one.
        UniqueBitmap stretched = dpi == kDesignDpi ? UniqueBitmap{}
                                                   : StretchBitmap(m_background.Get(), *input.background,
                                                                   {layout.picture.width, layout.picture.height});
        const HBITMAP shown = stretched ? stretched.Get() : m_background.Get();
        m_picture.SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
        m_shownBackground = std::move(stretched);
    }
    MoveWindow(ToRect(layout.window), true);

    const std::pair<WindowHandle*, Placement> controls[] = {
        {&m_frame, layout.frame},           {&m_gameDirEdit, layout.edit}, {&m_browseButton, layout.browse},
        {&m_installButton, layout.install}, {&m_exitButton, layout.exit},
    };
    for (const auto& [control, placed] : controls)
        control->SetWindowPos(HWND_BOTTOM, placed.x, placed.y, placed.width, placed.height, SWP_SHOWWINDOW);
}

LRESULT InstallerDialog::OnDpiChanged(int dpi, const RECT& suggested)
{
    const int previous = m_dpi;
    MoveWindow(suggested, true);
    LayOutAroundBackground(dpi, previous);
    return 0;
}

bool InstallerDialog::OnSysCommand(UINT command)
{
    if (!IsAboutCommand(command))
        return false;
    AboutDialog about(m_hwnd);
    about.DoModal();
    return true;
}

bool InstallerDialog::OnPaint()
{
    if (!IsIconic())
        return false;
    const PaintContext paint(m_hwnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
    const RECT client = GetClientRect();
    const Placement icon = MinimisedIconPlacement({client.right - client.left, client.bottom - client.top},
                                                  {::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)});
    ::DrawIcon(paint.Get(), icon.x, icon.y, m_hIcon);
    return true;
}

HICON InstallerDialog::OnQueryDragIcon()
{
    return m_hIcon;
}

void InstallerDialog::OnBrowse()
{
    FolderChooser chooser({}, 0, m_hwnd);
    if (chooser.Browse() != IDOK)
        return;
    UpdateData(Exchange::FromControls);
    m_gameDir = WithTrailingSeparator(TrimTrailingWhiteSpace(chooser.GetPath()));
    UpdateData(Exchange::ToControls);
}

void InstallerDialog::OnGameDirChange()
{
    UpdateData(Exchange::FromControls);
    // The same test as at start-up, on the directory the field names: the main button then offers
    // what OnInstallButton can do there.
    m_installed = CampaignLibraryExists(WithTrailingSeparator(m_gameDir)) ? 1 : 0;
    m_installButton.SetWindowText(std::string(MainButtonLabel(m_installed)));
    UpdateData(Exchange::ToControls);
}

void InstallerDialog::OnInstallButton()
{
    m_installButton.EnableWindow(false);
    OperationState state;
    const OperationPaths paths = MakeOperationPaths(m_gameDir, m_installDir);
    if (!FileExists(paths.gameDirectory + "war3.mpq")) {
        MessageBox(kNotWarcraftDirectory, MB_ICONERROR);
    } else if (const auto refusal = CampaignDirectoryRefusal(paths, m_installDir, kCampaignFilesFolder)) {
        // Neither procedure may write or remove anything at or above the game directory, nor in
        // a folder of somebody else's.
        MessageBox(*refusal, MB_ICONERROR);
    } else {
        RunProcedureOfLabel(paths, state);
        ReportOutcome(state);
    }
    m_installButton.EnableWindow(true);
    m_exitButton.SetFocus();
    UpdateData(Exchange::ToControls);
}

void InstallerDialog::RunProcedureOfLabel(const OperationPaths& paths, OperationState& state)
{
    const std::string label = m_installButton.GetWindowText();
    if (label == kInstallLabel)
        InstallWithProgress(m_hwnd, paths, m_campaignName, m_icon, state);
    else if (label == kUninstallLabel)
        UninstallCampaign(paths.campaignDirectory, state, &Ask, [&paths, this] {
            return CampaignDirectoryRefusal(paths, m_installDir, kCampaignFilesFolder);
        });
}

void InstallerDialog::ReportOutcome(const OperationState& state)
{
    if (state.error) {
        MessageBox(state.errorText, MB_ICONERROR);
        return;
    }
    if (state.resultText.empty())
        return;
    MessageBox(state.resultText, MB_ICONINFORMATION);
    if (state.labelStays)
        return;
    // Read afresh: an edit of the field while the install pumped messages may have relabelled it.
    m_installed = m_installButton.GetWindowText() == kInstallLabel ? 1 : 0;
    m_installButton.SetWindowText(std::string(MainButtonLabel(m_installed)));
}

}  // namespace kestrane
