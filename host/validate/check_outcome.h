// What one check found: PASS, WARN or FAIL, with the findings that made it so.
#pragma once

#include <string>
#include <vector>

enum class Verdict { Pass = 0, Warn = 1, Fail = 2 };

const char* verdictWord(Verdict v);

struct CheckOutcome {
  Verdict verdict = Verdict::Pass;
  // Findings, most important first; a PASS may carry a note (e.g. what was not tried).
  std::vector<std::string> findings;

  void fail(const std::string& what) { raise(Verdict::Fail, what); }
  void warn(const std::string& what) { raise(Verdict::Warn, what); }
  void note(const std::string& what) { findings.push_back(what); }
  // The short reason printed after the verdict: the first finding, and how many more.
  std::string reason() const;

  // A line-based form for the pipe from a check's child process, and back.
  std::string serialise() const;
  static bool parse(const std::string& text, CheckOutcome& out);

 private:
  void raise(Verdict v, const std::string& what);
};
