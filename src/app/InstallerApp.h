// InstallerApp: the program's application object: start-up checks, the main dialog, shutdown.
#pragma once

#include "framework/Application.h"

namespace kestrane {

class InstallerApp : public Application {
public:
    // Prepares the thread for the shell's component services.
    InstallerApp();

    // Reads the package, checks and loads its background and decides whether the campaign is
    // installed; then shows the one start-up error or runs the main dialog. Always false: the
    // program ends when the box or the dialog closes.
    bool InitInstance() override;
    int ExitInstance() override;

private:
    bool m_comInitialised;
};

}  // namespace kestrane
