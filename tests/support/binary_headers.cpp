#include "binary_headers.h"

#include <fstream>

namespace binary_headers {

namespace {
void put16(std::vector<unsigned char>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<unsigned char>(v & 0xFF);
  b[at + 1] = static_cast<unsigned char>(v >> 8);
}
}  // namespace

std::vector<unsigned char> windowsLibrary(std::uint16_t machine) {
  std::vector<unsigned char> b(512, 0);
  b[0] = 'M';
  b[1] = 'Z';
  b[0x3C] = 0x80;  // offset of the PE header
  b[0x80] = 'P';
  b[0x81] = 'E';
  put16(b, 0x84, machine);
  return b;
}

std::vector<unsigned char> elf(int bits, std::uint16_t machine, std::uint16_t type) {
  std::vector<unsigned char> b(bits == 64 ? 64 : 52, 0);
  b[0] = 0x7F;
  b[1] = 'E';
  b[2] = 'L';
  b[3] = 'F';
  b[4] = bits == 64 ? 2 : 1;
  b[5] = 1;  // little-endian
  b[6] = 1;  // version
  put16(b, 16, type);
  put16(b, 18, machine);
  return b;
}

void write(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace binary_headers
