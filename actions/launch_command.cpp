#include "actions/launch_command.h"

namespace mdx {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string withExeIfBare(const std::string& program) {
  const size_t name = program.find_last_of("\\/");
  const size_t dot = program.find('.', name == std::string::npos ? 0 : name + 1);
  return dot == std::string::npos ? program + ".exe" : program;
}

std::string withoutLeadingBlanks(const std::string& s, size_t from) {
  while (from < s.size() && isBlank(s[from])) ++from;
  return s.substr(from);
}

}  // namespace

std::vector<ProgramCandidate> programCandidates(const std::string& commandLine) {
  std::vector<ProgramCandidate> out;
  size_t start = 0;
  while (start < commandLine.size() && isBlank(commandLine[start])) ++start;
  if (start == commandLine.size()) return out;
  if (commandLine[start] == '"') {
    const size_t close = commandLine.find('"', start + 1);
    const std::string program = commandLine.substr(start + 1, close == std::string::npos ? std::string::npos : close - start - 1);
    out.push_back({withExeIfBare(program), close == std::string::npos ? "" : withoutLeadingBlanks(commandLine, close + 1)});
    return out;
  }
  for (size_t i = start; i <= commandLine.size(); ++i) {
    const bool end = i == commandLine.size();
    if (!end && !isBlank(commandLine[i])) continue;
    if (i > start && !isBlank(commandLine[i - 1])) {
      out.push_back({withExeIfBare(commandLine.substr(start, i - start)), end ? "" : withoutLeadingBlanks(commandLine, i)});
    }
  }
  return out;
}

std::string programFolder(const std::string& programPath) {
  const size_t slash = programPath.find_last_of("\\/");
  if (slash == std::string::npos) return "";
  // "C:\x.exe" starts in "C:\", not in "C:" (which is the drive's current folder).
  if (slash == 2 && programPath[1] == ':') return programPath.substr(0, 3);
  return programPath.substr(0, slash);
}

std::string commandLineForPickedProgram(const std::string& path) {
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

}  // namespace mdx
