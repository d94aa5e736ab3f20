// InstallerApp: the program's application object: start-up checks, the main dialog, shutdown.
#pragma once

#include "framework/Application.h"
#include "framework/ComScope.h"

namespace kestrane {

class InstallerApp : public Application {
public:
    // Reads the package, checks and loads its background and decides whether the campaign is
    // installed; then shows the one start-up error or runs the main dialog. Always false: the
    // program ends when the box or the dialog closes.
    bool InitInstance() override;

private:
    // The shell's component services, for as long as the application object lives, however
    // it ends.
    ComScope m_com;
};

}  // namespace kestrane
