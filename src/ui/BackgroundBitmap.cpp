#include "ui/BackgroundBitmap.h"

#include "framework/File.h"
#include "framework/FileError.h"
#include "ui/BitmapHeader.h"

#include <array>
#include <cstdint>
#include <memory>
#include <new>
#include <span>

namespace kestrane {
namespace {

struct FileBlock {
    std::unique_ptr<std::byte[]> bytes;
    std::size_t size = 0;

    std::span<const std::byte> Span() const { return {bytes.get(), size}; }
};

// The file behind its "BM" file header, in one block of exactly that length; empty when the file
// cannot be read whole, is no bitmap file or is too large for memory.
std::optional<FileBlock> ReadBitmapBlock(const std::string& fileName)
{
    try {
        File file(fileName, File::Mode::Read);
        std::array<std::byte, kBitmapFileHeaderSize> fileHeader;
        if (file.Read(fileHeader) != fileHeader.size())
            return std::nullopt;
        const auto fileType = static_cast<std::uint16_t>(std::to_integer<unsigned>(fileHeader[0]) |
                                                         std::to_integer<unsigned>(fileHeader[1]) << 8);
        if (fileType != kBitmapFileType)
            return std::nullopt;

        // The length is taken after the header was read: a file cut short since then is caught
        // by the read below.
        const std::uint64_t length = file.Length();
        if (length < kBitmapFileHeaderSize || length - kBitmapFileHeaderSize > SIZE_MAX)
            return std::nullopt;
        FileBlock block;
        block.size = static_cast<std::size_t>(length - kBitmapFileHeaderSize);
        block.bytes.reset(new (std::nothrow) std::byte[block.size]);
        if (!block.bytes)
            return std::nullopt;
        if (file.Read({block.bytes.get(), block.size}) != block.size)
            return std::nullopt;
        return block;
    } catch (const FileError&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<UniqueBitmap> LoadBackgroundBitmap(const std::string& fileName)
{
    const std::optional<FileBlock> block = ReadBitmapBlock(fileName);
    if (!block)
        return std::nullopt;
    const std::optional<BitmapHeader> header = ReadBitmapHeader(block->Span());
    if (!header)
        return std::nullopt;

    // A device-dependent bitmap in the screen's own format: no palette is made or realised.
    const UniqueScreenDc screen(::GetDC(nullptr));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(header->info.data());
    return UniqueBitmap(::CreateDIBitmap(screen.Get(), &info->bmiHeader, CBM_INIT,
                                         block->bytes.get() + header->pixelOffset, info, DIB_RGB_COLORS));
}

}  // namespace kestrane
