#pragma once
// What a stored program command line starts, read the way Windows' CreateProcess reads a
// command line given without a separate program name: a first token in double quotes is the
// program; otherwise the program is the text up to a blank, and where that names no file the
// text up to the next blank is tried, and so on ("C:\Program Files\x\y.exe" is tried as
// C:\Program.exe first). A name without an extension gets ".exe". The shell checks which
// candidate exists; the command line itself is always used as stored.
#include <string>
#include <vector>

namespace mdx {

struct ProgramCandidate {
  std::string program;    // the program file, ".exe" added when the name has no extension
  std::string arguments;  // the rest of the command line, leading blanks removed
};

// In the order CreateProcess tries them; empty for a blank command line.
std::vector<ProgramCandidate> programCandidates(const std::string& commandLine);

// The folder a program starts in, as Explorer starts a shortcut's program: the path up to its
// last '\' or '/' (a drive root keeps its backslash); empty for a bare file name.
std::string programFolder(const std::string& programPath);

// The command line "参照" stores for a picked program: a path with a space in double quotes, so
// that it names that one program; any other path as it is.
std::string commandLineForPickedProgram(const std::string& path);

}  // namespace mdx
