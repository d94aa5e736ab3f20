#include "check/NameEncoding.h"

#include <iconv.h>

#include <memory>
#include <type_traits>

namespace kestrane {
namespace {

struct IconvClose {
    void operator()(iconv_t converter) const { ::iconv_close(converter); }
};
using UniqueIconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvClose>;

}  // namespace

// The disk's names are UTF-8, as std::filesystem gives them here.
std::optional<std::string> EncodeName(const std::filesystem::path& name, unsigned codePage)
{
    const std::string codeName = "CP" + std::to_string(codePage);
    const iconv_t opened = ::iconv_open(codeName.c_str(), "UTF-8");
    if (opened == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    const UniqueIconv converter(opened);

    const std::u8string utf8 = name.u8string();
    std::string in(utf8.begin(), utf8.end());
    // No character of a code page takes more than two bytes for one of UTF-8's.
    std::string out(in.size() * 2 + 1, '\0');
    char* inNext = in.data();
    std::size_t inLeft = in.size();
    char* outNext = out.data();
    std::size_t outLeft = out.size();
    if (::iconv(converter.get(), &inNext, &inLeft, &outNext, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace kestrane
