#include "text_escape.h"

#include <cstdio>

namespace {

void appendEscaped(std::string& out, unsigned char c, char quote) {
  if (c == '\t') out += "\\t";
  else if (c == '\n') out += "\\n";
  else if (c == '\r') out += "\\r";
  else if (c == '\\' || c == static_cast<unsigned char>(quote)) { out += '\\'; out += static_cast<char>(c); }
  else if (c < 0x20 || c >= 0x7F) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    out += hex;
  } else {
    out += static_cast<char>(c);
  }
}

}  // namespace

std::string visibleText(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) appendEscaped(out, c, '"');
  return out + "\"";
}

std::string fourCharText(std::int32_t code) {
  const auto u = static_cast<std::uint32_t>(code);
  std::string out = "'";
  for (int shift = 24; shift >= 0; shift -= 8) appendEscaped(out, static_cast<unsigned char>(u >> shift), '\'');
  return out + "'";
}

std::string fourCharBytes(std::int32_t code) {
  const auto u = static_cast<std::uint32_t>(code);
  std::string out;
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(static_cast<unsigned char>(u >> shift));
  return out;
}
