// The first bytes of binaries for other platforms, enough for a host to recognise them:
// fixtures for the tests of the host's library sniffing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace binary_headers {

// An "MZ" stub followed by a PE header for `machine` (0x14c 32-bit x86, 0x8664 x64).
std::vector<unsigned char> windowsLibrary(std::uint16_t machine);
// A little-endian ELF header: `bits` 32 or 64, `machine` (62 x86-64, 3 i386, 183 aarch64),
// `type` (3 shared library, 2 program).
std::vector<unsigned char> elf(int bits, std::uint16_t machine, std::uint16_t type = 3);

void write(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace binary_headers
