#include "library_format.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

// ELF constants (the header layout is fixed by the format, not by this machine).
constexpr unsigned char kElfClass32 = 1, kElfClass64 = 2;
constexpr unsigned char kElfLittleEndian = 1;
constexpr std::uint16_t kElfTypeExecutable = 2, kElfTypeShared = 3;

#if defined(__x86_64__)
constexpr std::uint16_t kNativeElfMachine = 62;
constexpr std::uint16_t kNativePeMachine = 0x8664;
#elif defined(__aarch64__)
constexpr std::uint16_t kNativeElfMachine = 183;
constexpr std::uint16_t kNativePeMachine = 0xAA64;
#elif defined(__i386__)
constexpr std::uint16_t kNativeElfMachine = 3;
constexpr std::uint16_t kNativePeMachine = 0x14c;
#else
constexpr std::uint16_t kNativeElfMachine = 0xFFFF;
constexpr std::uint16_t kNativePeMachine = 0xFFFF;
#endif

#if defined(_WIN32)
constexpr bool kNativeIsWindows = true;
#else
constexpr bool kNativeIsWindows = false;
#endif
constexpr int kNativeBits = sizeof(void*) == 8 ? 64 : 32;

std::uint16_t read16(const std::vector<unsigned char>& b, std::size_t at, bool little) {
  return little ? static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8))
                : static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}

std::uint32_t read32le(const std::vector<unsigned char>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// A little-endian word of 4 or 8 bytes.
std::uint64_t readWordLe(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
  std::uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

// Whether everything the ELF header points at (program headers, section headers and the
// file contents of each loadable segment) lies inside the file. The dynamic loader maps
// segments without checking, and touching a page past the end of a cut file is SIGBUS.
bool elfExtentsInside(std::ifstream& file, std::uint64_t fileSize, const std::vector<unsigned char>& b, int bits) {
  const bool wide = bits == 64;
  const int word = wide ? 8 : 4;
  const std::uint64_t phoff = readWordLe(b, wide ? 32 : 28, word);
  const std::uint64_t shoff = readWordLe(b, wide ? 40 : 32, word);
  const std::uint64_t phentsize = read16(b, wide ? 54 : 42, true), phnum = read16(b, wide ? 56 : 44, true);
  const std::uint64_t shentsize = read16(b, wide ? 58 : 46, true), shnum = read16(b, wide ? 60 : 48, true);
  if (phoff > fileSize || phnum * phentsize > fileSize - phoff) return false;
  if (shoff > fileSize || shnum * shentsize > fileSize - shoff) return false;
  if (phentsize < static_cast<std::uint64_t>(wide ? 56 : 32)) return phnum == 0;

  std::vector<unsigned char> table(static_cast<std::size_t>(phnum * phentsize));
  file.clear();
  file.seekg(static_cast<std::streamoff>(phoff));
  file.read(reinterpret_cast<char*>(table.data()), static_cast<std::streamsize>(table.size()));
  if (static_cast<std::size_t>(file.gcount()) != table.size()) return false;
  constexpr std::uint32_t kLoadSegment = 1;
  for (std::uint64_t i = 0; i < phnum; ++i) {
    const std::size_t at = static_cast<std::size_t>(i * phentsize);
    if (read32le(table, at) != kLoadSegment) continue;
    const std::uint64_t offset = readWordLe(table, at + (wide ? 8 : 4), word);
    const std::uint64_t size = readWordLe(table, at + (wide ? 32 : 16), word);
    if (offset > fileSize || size > fileSize - offset) return false;
  }
  return true;
}

const char* elfMachineName(std::uint16_t machine) {
  switch (machine) {
    case 3: return "x86 (i386)";
    case 8: return "MIPS";
    case 20: return "PowerPC";
    case 21: return "64-bit PowerPC";
    case 22: return "IBM Z (s390)";
    case 40: return "ARM";
    case 62: return "x86-64";
    case 183: return "aarch64";
    case 243: return "RISC-V";
    case 258: return "LoongArch";
    default: return nullptr;
  }
}

const char* peMachineName(std::uint16_t machine) {
  switch (machine) {
    case 0x14c: return "x86";
    case 0x8664: return "x64";
    case 0x1c0: case 0x1c4: return "ARM";
    case 0xAA64: return "ARM64";
    default: return nullptr;
  }
}

std::string machineSuffix(const char* name, unsigned number) {
  if (name) return std::string(" for ") + name;
  return " for machine " + std::to_string(number);
}

LibraryFormat foreign(std::string description) {
  return {LibraryKind::ForeignBinary, std::move(description)};
}

LibraryFormat classifyElf(const std::vector<unsigned char>& b, std::ifstream& file, std::uint64_t fileSize) {
  if (b.size() < 20) return {LibraryKind::Truncated, {}};
  const unsigned char elfClass = b[4];
  const bool little = b[5] == kElfLittleEndian;
  const int bits = elfClass == kElfClass64 ? 64 : elfClass == kElfClass32 ? 32 : 0;
  if (bits == 0) return {LibraryKind::NotABinary, {}};
  const std::uint16_t type = read16(b, 16, little);
  const std::uint16_t machine = read16(b, 18, little);
  const std::string what = std::to_string(bits) + "-bit Linux " +
                           (type == kElfTypeExecutable ? "program" : "library");
  if (kNativeIsWindows || bits != kNativeBits || machine != kNativeElfMachine)
    return foreign("a " + what + machineSuffix(elfMachineName(machine), machine));
  if (type == kElfTypeExecutable) return {LibraryKind::NotABinary, "a program, not a library"};
  if (type != kElfTypeShared) return {LibraryKind::NotABinary, "an ELF file that is not a shared library"};
  if (b.size() < static_cast<std::size_t>(bits == 64 ? 64 : 52) || !little ||
      !elfExtentsInside(file, fileSize, b, bits))
    return {LibraryKind::Truncated, {}};
  return {LibraryKind::NativeLibrary, {}};
}

LibraryFormat classifyPe(const std::vector<unsigned char>& b) {
  if (b.size() < 0x40) return {LibraryKind::Truncated, {}};
  const std::uint32_t peOffset = read32le(b, 0x3C);
  if (peOffset > b.size() - 6 || peOffset + 6 < peOffset) {
    // An MZ header whose PE header lies beyond what was read: a DOS program or a cut file.
    return {LibraryKind::Truncated, {}};
  }
  if (std::memcmp(&b[peOffset], "PE\0\0", 4) != 0) return foreign("a DOS program");
  const std::uint16_t machine = read16(b, peOffset + 4, true);
  const char* name = peMachineName(machine);
  std::string what;
  if (machine == 0x14c) what = "a 32-bit Windows plug-in";
  else if (machine == 0x8664) what = "a 64-bit Windows plug-in";
  else what = "a Windows plug-in" + machineSuffix(name, machine);
  if (kNativeIsWindows && machine == kNativePeMachine) return {LibraryKind::NativeLibrary, {}};
  return foreign(what);
}

LibraryFormat classifyMachO(const std::vector<unsigned char>& b) {
  const std::uint32_t magic = read32le(b, 0);
  const bool fat = b[0] == 0xCA && b[1] == 0xFE && b[2] == 0xBA && b[3] == 0xBE;
  if (fat) return foreign("a macOS universal binary");
  return foreign(magic == 0xFEEDFACFu ? "a 64-bit macOS library" : "a 32-bit macOS library");
}

}  // namespace

LibraryFormat sniffLibraryFormat(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {LibraryKind::Unreadable, std::strerror(errno)};
  // Enough for the ELF header and for a PE header at the usual offsets.
  std::vector<unsigned char> b(4096);
  file.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(b.size()));
  if (file.bad()) return {LibraryKind::Unreadable, "read error"};
  b.resize(static_cast<std::size_t>(file.gcount()));
  file.clear();
  file.seekg(0, std::ios::end);
  const auto fileSize = static_cast<std::uint64_t>(file.tellg());

  if (b.size() >= 4 && b[0] == 0x7F && b[1] == 'E' && b[2] == 'L' && b[3] == 'F') return classifyElf(b, file, fileSize);
  if (b.size() >= 2 && b[0] == 'M' && b[1] == 'Z') return classifyPe(b);
  if (b.size() >= 4) {
    const std::uint32_t magic = read32le(b, 0);
    const bool fat = b[0] == 0xCA && b[1] == 0xFE && b[2] == 0xBA && b[3] == 0xBE;
    if (magic == 0xFEEDFACEu || magic == 0xFEEDFACFu || fat) return classifyMachO(b);
  }
  return {LibraryKind::NotABinary, {}};
}

std::string nativePluginDescription(bool withProcessor) {
  std::string system = kNativeIsWindows ? "Windows" : "Linux";
  std::string text = std::to_string(kNativeBits) + "-bit " + system + " plug-ins";
  const char* processor = kNativeIsWindows ? peMachineName(kNativePeMachine) : elfMachineName(kNativeElfMachine);
  if (withProcessor && processor) text += std::string(" for ") + processor;
  return text;
}
