#include "ui/BackgroundBitmap.h"

#include "framework/DeviceContext.h"
#include "framework/File.h"
#include "framework/FileError.h"
#include "ui/core/BitmapHeader.h"

#include <span>
#include <vector>

namespace kestrane {
namespace {

// The whole file; empty when it cannot be read whole or is too large for memory.
std::optional<std::vector<std::byte>> ReadWholeFile(const std::string& fileName)
{
    try {
        return File(fileName, File::Mode::Read).ReadAll();
    } catch (const FileError&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<UniqueBitmap> LoadBackgroundBitmap(const std::string& fileName)
{
    const std::optional<std::vector<std::byte>> file = ReadWholeFile(fileName);
    if (!file)
        return std::nullopt;
    // What the header describes follows the file header; its offsets count from there.
    const std::optional<std::span<const std::byte>> block = BitmapBlock(*file);
    if (!block)
        return std::nullopt;
    const std::optional<BitmapHeader> header = ReadBitmapHeader(*block);
    if (!header)
        return std::nullopt;

    // A device-dependent bitmap in the screen's own format: no palette is made or realised.
    const WindowDc screen(nullptr);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(header->info.data());
    return UniqueBitmap(::CreateDIBitmap(screen.Get(), &info->bmiHeader, CBM_INIT, block->data() + header->pixelOffset,
                                         info, DIB_RGB_COLORS));
}

}  // namespace kestrane
