// How fast the game.dll rewrite scans a 64 MiB buffer, beside the byte-by-byte loop it replaces.
#include "install/core/GameDllRewrite.h"

#include "GameDllRewriteReference.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <span>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kBufferSize = std::size_t{64} << 20;

enum class Content {
    Binary,  // code and data: many zero bytes, every value present, a few references
    Text,    // ASCII words only
};

std::vector<std::byte> MakeBuffer(Content content)
{
    // Messages and names as a game library holds them, rich in "re", "al" and "wa".
    static constexpr std::string_view kWords[] = {
        "Unable to load ", "the replay file ", "Warcraft III ", "reading ",  "while ",
        "players ",        "all units ",       "are ",          "alliance ", "was ",
        "normal ",         "graphics ",        "Local Files ",  "Allow ",    "renderer ",
        "%s\\%s ",         "failed ",          "map ",
    };
    static constexpr std::string_view kReferences[] = {std::string_view("war3.mpq\0abc", 12),
                                                       std::string_view("redist\\miles\0abc", 16), "Allow Local Files"};
    std::mt19937 random(1);
    std::vector<std::byte> buffer(kBufferSize);
    std::size_t at = 0;
    const auto append = [&](std::string_view bytes) {
        const std::size_t count = std::min(bytes.size(), buffer.size() - at);
        std::memcpy(buffer.data() + at, bytes.data(), count);
        at += count;
    };
    while (at < buffer.size()) {
        if (random() % 4096 == 0)
            append(kReferences[random() % std::size(kReferences)]);
        else if (content == Content::Text)
            append(kWords[random() % std::size(kWords)]);
        else
            buffer[at++] = random() % 3 == 0 ? std::byte{0} : static_cast<std::byte>(random());
    }
    return buffer;
}

void Scan(benchmark::State& state, void (*rewrite)(std::span<std::byte>), Content content)
{
    const std::vector<std::byte> original = MakeBuffer(content);
    std::vector<std::byte> buffer(original.size());
    for (auto _ : state) {
        // Each pass starts from the unrewritten bytes, outside the measured time.
        state.PauseTiming();
        std::memcpy(buffer.data(), original.data(), original.size());
        state.ResumeTiming();
        rewrite(buffer);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(buffer.size()));
}

}  // namespace

BENCHMARK_CAPTURE(Scan, binary_rewrite, kestrane::RewriteGameDll, Content::Binary)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scan, binary_reference, kestrane::test::RewriteGameDllReference, Content::Binary)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scan, text_rewrite, kestrane::RewriteGameDll, Content::Text)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scan, text_reference, kestrane::test::RewriteGameDllReference, Content::Text)
    ->Unit(benchmark::kMillisecond);
