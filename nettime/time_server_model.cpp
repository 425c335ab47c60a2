#include "nettime/time_server_model.h"

#include <algorithm>
#include <cctype>

namespace mdx {

namespace {

// The list box sorts without regard to case; the names are lower-case ASCII, where that order and
// the byte order agree.
bool lessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

std::vector<std::string> makeHostList() {
  std::vector<std::string> hosts = {
      // Japan
      "ntp.nict.jp",
      "ntp.jst.mfeed.ad.jp",
      "ntp1.jst.mfeed.ad.jp",
      "ntp2.jst.mfeed.ad.jp",
      "ntp3.jst.mfeed.ad.jp",
      "jp.pool.ntp.org",
      // Worldwide
      "time.google.com",
      "time.cloudflare.com",
      "time.windows.com",
      "time.apple.com",
      "time.aws.com",
      "time.nist.gov",
      "pool.ntp.org",
  };
  std::stable_sort(hosts.begin(), hosts.end(), lessIgnoringCase);
  return hosts;
}

// Records what the attempt shows and passes it on to the dialog.
class ModelSink final : public SntpStatusSink {
 public:
  ModelSink(std::string& status, std::string& pcTime, std::string& serverTime, SntpStatusSink* live)
      : status_(status), pcTime_(pcTime), serverTime_(serverTime), live_(live) {}

  void showStatus(const std::string& text) override {
    status_ = text;
    if (live_) live_->showStatus(text);
  }
  void showTimes(const std::string& pcTime, const std::string& serverTime) override {
    pcTime_ = pcTime;
    serverTime_ = serverTime;
    if (live_) live_->showTimes(pcTime, serverTime);
  }

 private:
  std::string& status_;
  std::string& pcTime_;
  std::string& serverTime_;
  SntpStatusSink* live_;
};

}  // namespace

const std::vector<std::string>& timeServerHosts() {
  static const std::vector<std::string> hosts = makeHostList();
  return hosts;
}

int iconAnimationStep(int& phase) {
  if (phase == 1) {
    phase = 0;
    return time_server_ui::kIconFirst;
  }
  phase = 1;
  return time_server_ui::kIconSecond;
}

int& timeServerIconPhase() {
  static int phase = 0;
  return phase;
}

void TimeServerModel::choose(const std::string& comboText) {
  connectedServer_ = comboText;
  status_.clear();
  pcTime_.clear();
  serverTime_.clear();
}

std::optional<SntpResult> TimeServerModel::acquire(SntpClient& client, SntpStatusSink* live) {
  if (connectedServer_.empty()) return std::nullopt;
  ModelSink sink(status_, pcTime_, serverTime_, live);
  SntpResult result = client.acquire(connectedServer_, sink);
  if (result.completed()) closeCaption_ = time_server_ui::kOkCaption;
  return result;
}

}  // namespace mdx
