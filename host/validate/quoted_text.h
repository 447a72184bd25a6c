// A text from the effect shown in quotes with tabs, trailing blanks' neighbours and
// control bytes made visible, for one-line findings.
#pragma once

#include <string>

std::string quotedText(const char* text, std::size_t length);
