#include "app/GameDirectory.h"

#include "app/core/InstallPath.h"
#include "framework/UniqueHandle.h"

#include <array>

namespace kestrane {

std::string GetGameDirectory()
{
    std::string gameDirectory;
    UniqueRegistryKey key;
    ::RegOpenKeyExA(HKEY_CURRENT_USER, kGameRegistryKey, 0, KEY_READ, key.Put());

    std::array<char, 10240> buffer;
    DWORD size = buffer.size();
    const LONG queried = ::RegQueryValueExA(key.Get(), kInstallPathValue, nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (queried == ERROR_SUCCESS)
        gameDirectory = GameDirectoryFromInstallPath({buffer.data(), size});

    // Closed as soon as the value is read; the holder closes it on any earlier way out.
    key.Close();
    return gameDirectory;
}

}  // namespace kestrane
