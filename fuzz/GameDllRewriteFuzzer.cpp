// Feeds arbitrary bytes, as a game.dll, to the rewrite and to the byte-by-byte loop it must match.
#include "install/core/GameDllRewrite.h"

#include "GameDllRewriteReference.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = std::as_bytes(std::span(data, size));
    std::vector<std::byte> fast(input.begin(), input.end());
    std::vector<std::byte> reference = fast;
    kestrane::RewriteGameDll(fast);
    kestrane::test::RewriteGameDllReference(reference);
    if (fast != reference)
        std::abort();
    return 0;
}
