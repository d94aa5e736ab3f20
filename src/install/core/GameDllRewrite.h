// RewriteGameDll: the in-place rewrite that points a copied game.dll one directory up.
#pragma once

#include <cstddef>
#include <span>

namespace kestrane {

// Rewrites, in place and without changing the length, every zero-terminated "war3.mpq" into
// "..\war3.mpq", every zero-terminated "redist\miles" into "..\redist\miles" and every
// "Allow Local Files" into "Campaign LocFiles", letters compared without regard to case.
void RewriteGameDll(std::span<std::byte> buffer);

}  // namespace kestrane
