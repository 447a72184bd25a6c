#include "check_outcome.h"

#include <sstream>

const char* verdictWord(Verdict v) {
  switch (v) {
    case Verdict::Pass: return "PASS";
    case Verdict::Warn: return "WARN";
    case Verdict::Fail: return "FAIL";
  }
  return "FAIL";
}

void CheckOutcome::raise(Verdict v, const std::string& what) {
  // A failure goes before warnings and notes so that the short reason names it.
  if (v > verdict) {
    verdict = v;
    findings.insert(findings.begin(), what);
  } else {
    findings.push_back(what);
  }
}

std::string CheckOutcome::reason() const {
  if (findings.empty()) return "";
  std::string r = findings.front();
  if (findings.size() > 1) r += " (+" + std::to_string(findings.size() - 1) + " more)";
  return r;
}

std::string CheckOutcome::serialise() const {
  std::string out = std::to_string(static_cast<int>(verdict)) + "\n";
  for (const std::string& f : findings) {
    std::string line = f;
    for (char& c : line)
      if (c == '\n') c = ' ';
    out += line + "\n";
  }
  return out;
}

bool CheckOutcome::parse(const std::string& text, CheckOutcome& out) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line.size() != 1 || line[0] < '0' || line[0] > '2') return false;
  out.verdict = static_cast<Verdict>(line[0] - '0');
  out.findings.clear();
  while (std::getline(in, line)) out.findings.push_back(line);
  return true;
}
