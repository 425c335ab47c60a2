// What a stored program command line starts: the candidates CreateProcess tries, the folder the
// program starts in, and the command line "参照" stores.
#include <gtest/gtest.h>

#include "actions/launch_command.h"

namespace mdx {
namespace {

using Candidates = std::vector<std::pair<std::string, std::string>>;

Candidates candidates(const std::string& line) {
  Candidates out;
  for (const auto& c : programCandidates(line)) out.emplace_back(c.program, c.arguments);
  return out;
}

TEST(LaunchCommand, CandidatesInTheOrderCreateProcessTriesThem) {
  // Quoted: exactly that program, whatever the blanks in it.
  EXPECT_EQ(candidates("\"C:\\Program Files\\x\\y.exe\"  /a \"b c\""),
            (Candidates{{"C:\\Program Files\\x\\y.exe", "/a \"b c\""}}));
  EXPECT_EQ(candidates("\"C:\\テスト 起動\\記録係\""), (Candidates{{"C:\\テスト 起動\\記録係.exe", ""}}));
  // Unquoted: each blank a possible end of the program's name, the shortest first; a name
  // without an extension gets .exe, a dot in a folder name is no extension.
  EXPECT_EQ(candidates("  C:\\Program Files\\x.d\\tool /q"),
            (Candidates{{"C:\\Program.exe", "Files\\x.d\\tool /q"},
                        {"C:\\Program Files\\x.d\\tool.exe", "/q"},
                        {"C:\\Program Files\\x.d\\tool /q.exe", ""}}));
  EXPECT_EQ(candidates("notepad.exe"), (Candidates{{"notepad.exe", ""}}));
  EXPECT_TRUE(candidates(" \t ").empty());
}

TEST(LaunchCommand, FolderAndPickedPath) {
  EXPECT_EQ(programFolder("C:\\Program Files\\x\\y.exe"), "C:\\Program Files\\x");
  EXPECT_EQ(programFolder("C:\\y.exe"), "C:\\");
  EXPECT_EQ(programFolder("y.exe"), "");
  EXPECT_EQ(commandLineForPickedProgram("C:\\Program Files\\x\\y.exe"), "\"C:\\Program Files\\x\\y.exe\"");
  EXPECT_EQ(commandLineForPickedProgram("C:\\Tools\\y.exe"), "C:\\Tools\\y.exe");
}

}  // namespace
}  // namespace mdx
