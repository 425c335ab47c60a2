#pragma once
// What the main window does when Windows ends the session (log-off, restart, shut-down).
// Windows asks first (the query, always answered yes: the program has nothing to confirm),
// then tells every window whether the session really ends. After a "yes" the process is ended
// without its window ever being destroyed, so that is the last moment to save the settings.
namespace mdx {

class SessionEnd {
 public:
  // The answer to the query: the program never holds up the end of a session.
  static constexpr bool allowsEnd() { return true; }

  // Called with the session-end notice; true when the settings are to be saved now. A
  // cancelled end changes nothing; a repeated notice saves nothing more.
  bool shouldSave(bool sessionEnds) {
    if (!sessionEnds || saved_) return false;
    saved_ = true;
    return true;
  }

 private:
  bool saved_ = false;
};

}  // namespace mdx
