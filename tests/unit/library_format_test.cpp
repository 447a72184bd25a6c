// Recognising a library's platform from its header, before any loader sees it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "binary_headers.h"
#include "library_format.h"

namespace {

struct SniffCase {
  const char* name;
  std::vector<unsigned char> bytes;
  LibraryKind kind;
  const char* description;
};

TEST(LibraryFormat, TellsPlatformsApartFromTheirHeaders) {
  std::vector<unsigned char> text = {'h', 'e', 'l', 'l', 'o', '\n'};
  std::vector<unsigned char> cutPe = binary_headers::windowsLibrary(0x14c);
  cutPe.resize(0x50);  // the PE header offset points past the end
  std::vector<unsigned char> cutElf = binary_headers::elf(64, 62);
  cutElf.resize(12);
  const SniffCase cases[] = {
      {"native shared library", binary_headers::elf(64, 62), LibraryKind::NativeLibrary, ""},
      {"native program", binary_headers::elf(64, 62, 2), LibraryKind::NotABinary, "a program, not a library"},
      {"32-bit x86 library", binary_headers::elf(32, 3), LibraryKind::ForeignBinary, "a 32-bit Linux library for x86 (i386)"},
      {"aarch64 library", binary_headers::elf(64, 183), LibraryKind::ForeignBinary, "a 64-bit Linux library for aarch64"},
      {"unknown processor", binary_headers::elf(64, 9999), LibraryKind::ForeignBinary, "a 64-bit Linux library for machine 9999"},
      {"32-bit Windows", binary_headers::windowsLibrary(0x14c), LibraryKind::ForeignBinary, "a 32-bit Windows plug-in"},
      {"64-bit Windows", binary_headers::windowsLibrary(0x8664), LibraryKind::ForeignBinary, "a 64-bit Windows plug-in"},
      {"ARM64 Windows", binary_headers::windowsLibrary(0xAA64), LibraryKind::ForeignBinary, "a Windows plug-in for ARM64"},
      {"PE header cut off", cutPe, LibraryKind::Truncated, ""},
      {"ELF header cut off", cutElf, LibraryKind::Truncated, ""},
      {"text", text, LibraryKind::NotABinary, ""},
      {"empty", {}, LibraryKind::NotABinary, ""},
  };
  const std::string path = testing::TempDir() + "sniff_case.bin";
  for (const SniffCase& c : cases) {
    binary_headers::write(path, c.bytes);
    const LibraryFormat format = sniffLibraryFormat(path);
    EXPECT_EQ(format.kind, c.kind) << c.name;
    EXPECT_EQ(format.description, c.description) << c.name;
  }
  std::remove(path.c_str());
}

TEST(LibraryFormat, AMissingFileIsUnreadableWithTheSystemsReason) {
  const LibraryFormat format = sniffLibraryFormat(testing::TempDir() + "no/such/file.so");
  EXPECT_EQ(format.kind, LibraryKind::Unreadable);
  EXPECT_EQ(format.description, "No such file or directory");
}

TEST(LibraryFormat, NativeDescriptionNamesTheWidthSystemAndProcessor) {
  EXPECT_EQ(nativePluginDescription(), "64-bit Linux plug-ins");
  EXPECT_EQ(nativePluginDescription(true), "64-bit Linux plug-ins for x86-64");
}

}  // namespace
