#pragma once
// An in-memory dialog for the settings-dialog tests: texts, check states and enabled states by
// control id, and the order in which fields were read.
#include <map>
#include <string>
#include <vector>

#include "settings_ui/field_exchange.h"

namespace mdx::test {

class FakeControls : public ControlAccess {
 public:
  std::string text(int id) const override {
    reads.push_back(id);
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
  }
  void setText(int id, const std::string& utf8) override { texts[id] = utf8; }
  bool checked(int id) const override {
    reads.push_back(id);
    auto it = checks.find(id);
    return it != checks.end() && it->second;
  }
  void setChecked(int id, bool on) override { checks[id] = on; }
  void enable(int id, bool on) override { enabled[id] = on; }

  std::map<int, std::string> texts;
  std::map<int, bool> checks;
  std::map<int, bool> enabled;
  mutable std::vector<int> reads;
};

}  // namespace mdx::test
