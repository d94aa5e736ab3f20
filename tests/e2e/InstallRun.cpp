#include "InstallRun.h"

#include "GameDllRewriteReference.h"

#include <fstream>
#include <iterator>

namespace kestrane::e2e {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

std::string UnsafeInstallDirText(const std::string& cleaned)
{
    return "Error!\nThe campaign directory INSTALLDIR=\"" + cleaned +
           "\" of install.ini is not a folder inside your Warcraft III directory.\nINSTALLDIR must name a folder "
           "inside the Warcraft III directory; nothing was changed.";
}

std::string Rewritten(std::string bytes)
{
    test::RewriteGameDllReference(std::as_writable_bytes(std::span(bytes.data(), bytes.size())));
    return bytes;
}

}  // namespace kestrane::e2e
