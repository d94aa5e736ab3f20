#include "app/InstallerApp.h"

#include "app/GameDirectory.h"
#include "common/InstallerContract.h"
#include "common/Text.h"
#include "framework/MessageBox.h"
#include "framework/Probes.h"
#include "package/ReadPackageDescription.h"
#include "ui/InstallerDialog.h"

#include <string>

namespace kestrane {

bool InstallerApp::InitInstance()
{
    InstallerDialog dialog(nullptr);
    SetMainWindow(&dialog);

    std::string errorText = "Error: Check the install.ini file.";
    bool error = false;

    const PackageReadResult package = ReadPackageDescription();
    dialog.SetPackage(package.values);
    if (package.error) {
        error = true;
        errorText = package.errorText;
    } else {
        const std::string& backBitmap = package.values.backBitmap;
        if (!NamesNetworkPath(backBitmap) && FileExists(backBitmap)) {
            if (!dialog.LoadBackground(backBitmap)) {
                errorText = InvalidBitmapText(backBitmap);
                error = true;
            }
        } else {
            errorText = BitmapNotFoundText(backBitmap);
            error = true;
        }
        dialog.SetGameDirectory(GetGameDirectory());
    }

    if (error)
        MessageBox(errorText, MB_ICONERROR);
    else
        dialog.DoModal();
    // The dialog object ends with this function: nobody may find it as the main window afterwards.
    SetMainWindow(nullptr);
    return false;
}

}  // namespace kestrane
