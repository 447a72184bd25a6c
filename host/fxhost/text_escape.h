// Shows a text from an effect so that every character can be seen: in double quotes, with
// tabs as \t, other control bytes as \xNN, and quotes and backslashes escaped. Trailing
// spaces stay visible because the closing quote follows them.
#pragma once

#include <cstdint>
#include <string>

std::string visibleText(const std::string& text);

// A four-character code (first character in the top byte) as 'ABCD', with bytes outside
// printable ASCII as \xNN.
std::string fourCharText(std::int32_t code);

// The same code as its four bytes, unescaped (for JSON, which escapes on its own).
std::string fourCharBytes(std::int32_t code);
