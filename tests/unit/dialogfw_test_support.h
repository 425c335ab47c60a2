#pragma once
// An in-memory dialog for the data-exchange tests: texts, check states and enabled states by
// control id, and the order in which fields were read. Its check boxes are two-state auto
// check boxes, as the dialogs' templates make them: a box given state 2 shows checked and
// reports 1, as the platform's do.
#include <map>
#include <string>
#include <vector>

#include "dialogfw/field_exchange.h"

namespace mdx::test {

class FakeControls : public ControlAccess {
 public:
  std::string itemText(int id) const override {
    reads.push_back(id);
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
  }
  void setItemText(int id, const std::string& utf8) override { texts[id] = utf8; }
  bool isChecked(int id) const override {
    reads.push_back(id);
    auto it = checks.find(id);
    return it != checks.end() && it->second;
  }
  void setChecked(int id, bool on) override { checks[id] = on; }
  int checkState(int id) const override { return isChecked(id) ? 1 : 0; }
  void setCheckState(int id, int state) override { checks[id] = state == 1 || state == 2; }
  void enableItem(int id, bool on) override { enabled[id] = on; }

  std::map<int, std::string> texts;
  std::map<int, bool> checks;
  std::map<int, bool> enabled;
  mutable std::vector<int> reads;
};

}  // namespace mdx::test
