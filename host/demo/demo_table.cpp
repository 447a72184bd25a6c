// Prints the demo's tables: one per plug-in, one row per render, from the summaries that
// `fxhost render --summary-json` wrote. Usage: fxdemo_table SUMMARY.json...
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace {

std::string trimmed(const std::string& text) {
  std::size_t end = text.size(), begin = 0;
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  while (begin < end && text[begin] == ' ') ++begin;
  return text.substr(begin, end - begin);
}

std::string baseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// The parameter whose name, without trailing blanks, is `name`; null when there is none.
const nlohmann::json* parameter(const nlohmann::json& summary, const std::string& name) {
  for (const nlohmann::json& p : summary["parameters"])
    if (trimmed(p["name"].get<std::string>()) == name) return &p;
  return nullptr;
}

std::string value(const nlohmann::json& summary, const std::string& name) {
  const nlohmann::json* p = parameter(summary, name);
  if (!p) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", (*p)["value"].get<double>());
  return text;
}

std::string decibels(double level) {
  if (level <= 0.0) return "-inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", 20.0 * std::log10(level));
  return text;
}

std::string fixed(double v, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  // Rows grouped by plug-in, in the order the summaries were given.
  std::vector<std::string> order;
  std::map<std::string, std::vector<std::vector<std::string>>> tables;
  for (int i = 1; i < argc; ++i) {
    std::ifstream file(argv[i]);
    nlohmann::json s;
    try {
      s = nlohmann::json::parse(file);
    } catch (const nlohmann::json::exception& e) {
      std::fprintf(stderr, "error: cannot read %s: %s\n", argv[i], e.what());
      return 1;
    }
    const std::string plugin = baseName(s["plugin"].get<std::string>());
    if (!tables.count(plugin)) order.push_back(plugin);
    const nlohmann::json* type = parameter(s, "Type");
    const nlohmann::json& out = s["output"];
    const double peak = out["peak"].get<double>(), rms = out["rms"].get<double>();
    tables[plugin].push_back({plugin, baseName(s.value("inputFile", std::string("-"))),
                              type ? trimmed((*type)["display"].get<std::string>()) : "-",
                              value(s, "DEPTH"), value(s, "PreAmp"), value(s, "MIX"), decibels(peak), decibels(rms),
                              fixed(out["crestFactor"].get<double>(), "%.2f"),
                              fixed(out["fullScalePercent"].get<double>(), "%.2f")});
  }
  const std::vector<std::string> header = {"plug-in", "material", "curve", "DEPTH", "PreAmp", "MIX",
                                           "peak dBFS", "RMS dBFS", "crest", "% full scale"};
  for (const std::string& plugin : order) {
    std::vector<std::vector<std::string>> rows = tables[plugin];
    rows.insert(rows.begin(), header);
    std::vector<std::size_t> width(header.size(), 0);
    for (const auto& row : rows)
      for (std::size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], row[c].size());
    std::printf("\n");
    for (std::size_t r = 0; r < rows.size(); ++r) {
      std::string line;
      for (std::size_t c = 0; c < rows[r].size(); ++c) {
        const std::string& cell = rows[r][c];
        const std::string pad(width[c] - cell.size(), ' ');
        // Text columns left-aligned, figures right-aligned.
        line += (c < 3 ? cell + pad : pad + cell) + (c + 1 < rows[r].size() ? "  " : "");
      }
      std::printf("%s\n", line.c_str());
      if (r == 0) {
        std::size_t total = 0;
        for (std::size_t w : width) total += w + 2;
        std::printf("%s\n", std::string(total - 2, '-').c_str());
      }
    }
  }
  return 0;
}
