#include "ui/BackgroundBitmap.h"

#include "framework/DeviceContext.h"
#include "framework/File.h"
#include "framework/FileError.h"
#include "ui/core/BitmapHeader.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kestrane {
namespace {

// The whole file, "BM" file header first; empty when the file cannot be read whole, is no bitmap
// file or is too large for memory.
std::optional<std::vector<std::byte>> ReadBitmapFile(const std::string& fileName)
{
    try {
        std::vector<std::byte> bytes = File(fileName, File::Mode::Read).ReadAll();
        if (bytes.size() < kBitmapFileHeaderSize)
            return std::nullopt;
        const auto fileType = static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[0]) |
                                                         std::to_integer<unsigned>(bytes[1]) << 8);
        if (fileType != kBitmapFileType)
            return std::nullopt;
        return bytes;
    } catch (const FileError&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<UniqueBitmap> LoadBackgroundBitmap(const std::string& fileName)
{
    const std::optional<std::vector<std::byte>> file = ReadBitmapFile(fileName);
    if (!file)
        return std::nullopt;
    // What the header describes follows the file header; its offsets count from there.
    const std::span<const std::byte> block = std::span(*file).subspan(kBitmapFileHeaderSize);
    const std::optional<BitmapHeader> header = ReadBitmapHeader(block);
    if (!header)
        return std::nullopt;

    // A device-dependent bitmap in the screen's own format: no palette is made or realised.
    const WindowDc screen(nullptr);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(header->info.data());
    return UniqueBitmap(::CreateDIBitmap(screen.Get(), &info->bmiHeader, CBM_INIT,
                                         block.data() + header->pixelOffset, info, DIB_RGB_COLORS));
}

}  // namespace kestrane
