#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "nettime/sntp.h"
#include "nettime/sntp_client.h"
#include "nettime/sntp_offset.h"
#include "nettime/time_server_model.h"
#include "platform/fake_clock.h"
#include "testsupport/scripted_udp.h"
#include "testsupport/sntp_doubles.h"

namespace mdx {
namespace {

using test::serverReply;

constexpr uint32_t kServerAddress = 0x85F3EEA4;  // what the fake lookup answers
constexpr uint32_t kOtherAddress = 0x0A000001;

using Arrival = test::ScriptedArrival;
using FakeNet = test::ScriptedUdpNetwork;
using RecordingMover = test::RecordingClockMover;
using RecordingSink = test::RecordingSntpSink;

Arrival reply(const SntpPacket& p, UdpEndpoint from = {kServerAddress, 123}) {
  Arrival a;
  a.bytes.assign(p.begin(), p.end());
  a.from = from;
  return a;
}

// A wait that ends with `wait` instead of a datagram.
Arrival waitEnding(UdpWait wait) {
  Arrival a;
  a.wait = wait;
  return a;
}

using Texts = std::vector<std::string>;

class SntpClientTest : public ::testing::Test {
 protected:
  SntpClientTest() : clock(0, 9 * 3600), mover(&clock) {
    clock.setLocal(2019, 12, 31, 23, 59, 0);
    net.hosts["ntp.example.jp"] = kServerAddress;
  }

  SntpResult run(const std::string& server = "ntp.example.jp") {
    SntpClient client(net, clock, mover);
    return client.acquire(server, sink);
  }

  FakeNet net;
  FakeClock clock;  // Japan's zone
  RecordingMover mover;  // records the time the clock is moved to
  RecordingSink sink;
};

TEST_F(SntpClientTest, SuccessfulAttemptMovesTheClockToTheServersTime) {
  net.arrivals.push_back(reply(serverReply(3786825600u, 0x80000000u)));
  const SntpResult r = run();

  EXPECT_EQ(sink.statuses, (Texts{"イニシャライズ", "Done1", "Done2", "CONNECT", "時刻セット完了"}));
  EXPECT_EQ(r.outcome, SntpOutcome::ClockSet);
  EXPECT_TRUE(r.completed());
  EXPECT_EQ(r.statusText, "時刻セット完了");
  EXPECT_EQ(r.serverUnixSeconds, 1577836800);

  // No receive time and no delay: the clock goes to the transmit time, 2020-01-01 00:00:00.500 UTC.
  ASSERT_EQ(mover.movedToMillis.size(), 1u);
  EXPECT_EQ(mover.movedToMillis[0], 1577836800500LL);
  EXPECT_EQ(r.offsetMillis, 1577836800500LL - 1577804340000LL);

  // Old PC time and the new time, both shown before the clock changes.
  ASSERT_EQ(sink.times.size(), 1u);
  EXPECT_EQ(sink.times[0].first, "Tue Dec 31 23:59:00 2019\n");
  EXPECT_EQ(sink.times[0].second, "Wed Jan 01 09:00:00 2020\n");
  EXPECT_EQ(r.pcTimeText, sink.times[0].first);
  EXPECT_EQ(r.serverTimeText, sink.times[0].second);

  // The wire: bound to 1024, one 48-byte request to the looked-up address, port 123.
  EXPECT_EQ(net.boundPorts, (std::vector<uint16_t>{1024}));
  EXPECT_EQ(net.lookups, (Texts{"ntp.example.jp"}));
  ASSERT_EQ(net.sentTo.size(), 1u);
  EXPECT_EQ(net.sentTo[0], (UdpEndpoint{kServerAddress, 123}));
  // It carries its send time, which the reply echoed.
  const SntpPacket request = makeSntpRequest(ntpFromUnixMicros(1577804340000000LL));
  EXPECT_EQ(net.sentDatagrams.at(0), std::vector<uint8_t>(request.begin(), request.end()));
  EXPECT_EQ(net.waitTimeouts.front(), 3000);

  // One library start and one clean-up, after the socket was closed.
  EXPECT_EQ(net.startups, 1);
  EXPECT_EQ(net.cleanups, 1);
  EXPECT_EQ(net.openSockets, 0);
  EXPECT_FALSE(net.socketOpenAtCleanup);
}

TEST_F(SntpClientTest, BindFailureReportsBothPortErrorsAndGoesOn) {
  net.bindOk = false;
  net.arrivals.push_back(reply(serverReply(3786825600u, 0xFFFFFFFFu)));
  const SntpResult r = run();
  EXPECT_EQ(sink.statuses, (Texts{"イニシャライズ", "Done1", "ポートエラー１", "ポートエラー２",
                                  "CONNECT", "時刻セット完了"}));
  ASSERT_EQ(mover.movedToMillis.size(), 1u);
  EXPECT_EQ(mover.movedToMillis[0], 1577836801000LL);  // .999999766 s, to the nearest millisecond
  EXPECT_TRUE(r.completed());
}

TEST_F(SntpClientTest, DottedAddressIsUsedWithoutLookup) {
  net.arrivals.push_back(reply(serverReply(3786825600u, 0), {0x7F000001, 123}));
  const SntpResult r = run("127.0.0.1");
  EXPECT_TRUE(net.lookups.empty());
  ASSERT_EQ(net.sentTo.size(), 1u);
  EXPECT_EQ(net.sentTo[0], (UdpEndpoint{0x7F000001, 123}));
  EXPECT_EQ(sink.statuses, (Texts{"イニシャライズ", "Done1", "Done2", "CONNECT", "時刻セット完了"}));
  EXPECT_EQ(r.outcome, SntpOutcome::ClockSet);
}

TEST_F(SntpClientTest, ClockRefusalStillCompletesTheAttempt) {
  // What each answer of the clock mover ends the attempt with; every one completes it.
  const std::pair<ClockMoveResult, const char*> answers[] = {
      {ClockMoveResult::Failed, "時刻の設定に失敗"},
      {ClockMoveResult::Declined, "許可されませんでした"},
      {ClockMoveResult::PrivilegeNotHeld, "管理者の許可が必要"},
  };
  for (const auto& [answer, text] : answers) {
    mover.result = answer;
    net.arrivals.push_back(reply(serverReply(3786825600u, 0)));
    const SntpResult r = run();
    EXPECT_EQ(sink.statuses.back(), text);
    EXPECT_EQ(r.statusText, text);
    EXPECT_TRUE(r.completed()) << text;
    EXPECT_FALSE(r.serverTimeText.empty());
  }
  EXPECT_EQ(mover.offsets.size(), 3u);
}

TEST_F(SntpClientTest, ServerTimesAfter2038AreSetCorrectly) {
  // Era 1: 61505152 is 2038-01-19 03:14:08 UTC, one second past the signed 32-bit limit.
  net.arrivals.push_back(reply(serverReply(61505152u, 0)));
  const SntpResult r = run();
  EXPECT_EQ(r.outcome, SntpOutcome::ClockSet);
  EXPECT_EQ(r.serverUnixSeconds, 2147483648LL);
  ASSERT_EQ(mover.movedToMillis.size(), 1u);
  EXPECT_EQ(mover.movedToMillis[0], 2147483648000LL);
  EXPECT_EQ(r.serverTimeText, "Tue Jan 19 12:14:08 2038\n");
}

// Each way an attempt can fail: its status texts, and that the clock is never touched.
struct FailureCase {
  const char* name;
  void (*script)(FakeNet&);
  std::string server;
  SntpOutcome outcome;
  Texts statuses;
};

const Texts kUpToConnect = {"イニシャライズ", "Done1", "Done2", "CONNECT"};
Texts upToConnectThen(const char* last) {
  Texts t = kUpToConnect;
  t.push_back(last);
  return t;
}

class SntpFailureTest : public SntpClientTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SntpFailureTest, ReportsTheFailureAndLeavesTheClockAlone) {
  const FailureCase& c = GetParam();
  c.script(net);
  const SntpResult r = run(c.server);
  EXPECT_EQ(sink.statuses, c.statuses);
  EXPECT_EQ(r.outcome, c.outcome);
  EXPECT_FALSE(r.completed());
  EXPECT_EQ(r.statusText, c.statuses.back());
  EXPECT_TRUE(mover.offsets.empty());
  EXPECT_TRUE(sink.times.empty());
  EXPECT_TRUE(r.pcTimeText.empty());
  EXPECT_EQ(net.openSockets, 0);
  EXPECT_EQ(net.cleanups, c.outcome == SntpOutcome::StartupFailed ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    SntpAllPaths, SntpFailureTest,
    ::testing::Values(
        FailureCase{"StartupFails", [](FakeNet& n) { n.startupOk = false; }, "ntp.example.jp",
                    SntpOutcome::StartupFailed, {"イニシャライズ出来ません"}},
        FailureCase{"SocketFails", [](FakeNet& n) { n.socketOk = false; }, "ntp.example.jp",
                    SntpOutcome::SocketFailed, {"イニシャライズ", "ソケットエラー"}},
        FailureCase{"LookupFails", [](FakeNet&) {}, "no.such.host", SntpOutcome::LookupFailed,
                    {"イニシャライズ", "Done1", "Done2", "Can Not CONNECT"}},
        FailureCase{"SendFails", [](FakeNet& n) { n.sendOk = false; }, "ntp.example.jp",
                    SntpOutcome::SendFailed, upToConnectThen("SNTP")},
        FailureCase{"NoReply", [](FakeNet&) {}, "ntp.example.jp", SntpOutcome::Timeout,
                    upToConnectThen("サーバータイムアウト")},
        FailureCase{"WaitFails",
                    [](FakeNet& n) { n.arrivals.push_back(waitEnding(UdpWait::Failed)); },
                    "ntp.example.jp", SntpOutcome::WaitFailed, upToConnectThen("サーバーエラー")},
        FailureCase{"WaitNotReadable",
                    [](FakeNet& n) { n.arrivals.push_back(waitEnding(UdpWait::NotReadable)); },
                    "ntp.example.jp", SntpOutcome::WaitFailed, upToConnectThen("サーバーエラー")},
        FailureCase{"ReceiveFails",
                    [](FakeNet& n) {
                      Arrival a;
                      a.receiveFails = true;
                      n.arrivals.push_back(a);
                    },
                    "ntp.example.jp", SntpOutcome::ReceiveFailed, upToConnectThen("サーバーエラー")},
        FailureCase{"ShortReply",
                    [](FakeNet& n) {
                      Arrival a = reply(serverReply(3786825600u, 0));
                      a.bytes.resize(47);
                      n.arrivals.push_back(a);
                    },
                    "ntp.example.jp", SntpOutcome::BadReply, upToConnectThen("サーバーエラー")},
        FailureCase{"EmptyReply",
                    [](FakeNet& n) {
                      Arrival a;
                      a.from = {kServerAddress, 123};
                      n.arrivals.push_back(a);
                    },
                    "ntp.example.jp", SntpOutcome::BadReply, upToConnectThen("サーバーエラー")},
        FailureCase{"Unsynchronised",
                    [](FakeNet& n) { n.arrivals.push_back(reply(serverReply(3786825600u, 0, 3))); },
                    "ntp.example.jp", SntpOutcome::BadReply, upToConnectThen("サーバーエラー")},
        FailureCase{"ClientModeEcho",
                    [](FakeNet& n) { n.arrivals.push_back(reply(serverReply(3786825600u, 0, 0, 3))); },
                    "ntp.example.jp", SntpOutcome::BadReply, upToConnectThen("サーバーエラー")},
        FailureCase{"KissOfDeath",
                    [](FakeNet& n) { n.arrivals.push_back(reply(serverReply(3786825600u, 0, 0, 4, 0))); },
                    "ntp.example.jp", SntpOutcome::BadReply, upToConnectThen("サーバーエラー")},
        FailureCase{"ZeroOriginate",
                    [](FakeNet& n) {
                      Arrival a = reply(serverReply(3786825600u, 0));
                      a.echoRequestTime = false;
                      n.arrivals.push_back(a);
                    },
                    "ntp.example.jp", SntpOutcome::BadReply, upToConnectThen("サーバーエラー")},
        FailureCase{"OriginateOneUnitOff",
                    [](FakeNet& n) {
                      Arrival a = reply(serverReply(3786825600u, 0));
                      a.echoRequestTime = false;
                      const NtpTimestamp near = ntpFromUnixMicros(1577804340000000LL) + 1;
                      for (int i = 0; i < 8; ++i) a.bytes[24 + i] = static_cast<uint8_t>(near >> (56 - 8 * i));
                      n.arrivals.push_back(a);
                    },
                    "ntp.example.jp", SntpOutcome::BadReply, upToConnectThen("サーバーエラー")},
        FailureCase{"ZeroTransmitTime",
                    [](FakeNet& n) { n.arrivals.push_back(reply(serverReply(0, 0))); },
                    "ntp.example.jp", SntpOutcome::BadReply, upToConnectThen("サーバーエラー")},
        FailureCase{"TimeIn1969",
                    [](FakeNet& n) { n.arrivals.push_back(reply(serverReply(2208988799u, 0))); },
                    "ntp.example.jp", SntpOutcome::TimeBefore1970, upToConnectThen("時刻取得失敗")},
        FailureCase{"TimeIn1968",
                    [](FakeNet& n) { n.arrivals.push_back(reply(serverReply(0x80000000u, 0))); },
                    "ntp.example.jp", SntpOutcome::TimeBefore1970, upToConnectThen("時刻取得失敗")},
        FailureCase{"OnlyForeignReplies",
                    [](FakeNet& n) {
                      n.arrivals.push_back(reply(serverReply(3786825600u, 0), {kOtherAddress, 123}));
                      n.arrivals.push_back(reply(serverReply(3786825600u, 0), {kServerAddress, 124}));
                    },
                    "ntp.example.jp", SntpOutcome::Timeout, upToConnectThen("サーバータイムアウト")}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(SntpClientTest, ForeignDatagramsAreSkippedWithoutExtendingTheWait) {
  Arrival foreign = reply(serverReply(4000000000u, 0), {kOtherAddress, 123});
  foreign.afterMillis = 1000;
  Arrival wrongPort = reply(serverReply(4000000000u, 0), {kServerAddress, 40000});
  wrongPort.afterMillis = 1200;
  Arrival good = reply(serverReply(3786825600u, 0));
  good.afterMillis = 700;
  net.arrivals = {foreign, wrongPort, good};

  const SntpResult r = run();
  EXPECT_EQ(r.outcome, SntpOutcome::ClockSet);
  EXPECT_EQ(r.serverUnixSeconds, 1577836800);  // the server's time, not the foreign one
  EXPECT_EQ(net.waitTimeouts, (std::vector<int>{3000, 2000, 800}));
}

TEST_F(SntpClientTest, ForeignDatagramsDoNotOutlastTheDeadline) {
  for (int i = 0; i < 4; ++i) {
    Arrival foreign = reply(serverReply(3786825600u, 0), {kOtherAddress, 123});
    foreign.afterMillis = 1000;
    net.arrivals.push_back(foreign);
  }
  const SntpResult r = run();
  EXPECT_EQ(r.outcome, SntpOutcome::Timeout);
  EXPECT_EQ(net.waitTimeouts, (std::vector<int>{3000, 2000, 1000}));
  EXPECT_EQ(net.now - 1000, 3000);
  EXPECT_TRUE(mover.offsets.empty());
}

TEST_F(SntpClientTest, EveryAttemptStartsAndCleansUpTheLibraryOnce) {
  SntpClient client(net, clock, mover);
  for (int i = 0; i < 1000; ++i) {
    net.arrivals.push_back(reply(serverReply(3786825600u, 0)));
    sink.statuses.clear();
    const SntpResult r = client.acquire("ntp.example.jp", sink);
    ASSERT_EQ(r.outcome, SntpOutcome::ClockSet) << "attempt " << i;
    ASSERT_EQ(sink.statuses[2], "Done2");
  }
  EXPECT_EQ(net.startups, 1000);
  EXPECT_EQ(net.cleanups, 1000);
  EXPECT_EQ(net.openSockets, 0);
}

TEST_F(SntpClientTest, ServerPortIsConfigurable) {
  SntpOptions options;
  options.serverPort = 12345;
  options.localPort = 0;
  net.arrivals.push_back(reply(serverReply(3786825600u, 0), {kServerAddress, 12345}));
  SntpClient client(net, clock, mover, options);
  const SntpResult r = client.acquire("ntp.example.jp", sink);
  EXPECT_EQ(r.outcome, SntpOutcome::ClockSet);
  EXPECT_EQ(net.sentTo[0].port, 12345);
  EXPECT_EQ(net.boundPorts, (std::vector<uint16_t>{0}));
}

// A server whose clock runs 5 min 12.345678 s ahead of the PC's, reached over paths with delays.
class SntpDelayTest : public SntpClientTest {
 protected:
  static constexpr int64_t kTrueOffsetMicros = 312345678;
  SntpDelayTest() { net.pcClock = &clock; }

  struct Errors {
    int64_t newRule;  // µs between the time the clock is moved to and the server's true time
    int64_t oldRule;  // the same for the reply's transmit time taken as it is
  };
  Errors exchange(int outMillis, int backMillis) {
    mover.offsets.clear();
    mover.movedToMillis.clear();
    net.arrivals.push_back(test::delayedServerArrival(clock.nowMicros(), kTrueOffsetMicros, outMillis, backMillis,
                                                      {kServerAddress, 123}, 3));
    const SntpResult r = run();
    EXPECT_EQ(r.outcome, SntpOutcome::ClockSet);
    if (mover.movedToMillis.size() != 1) return {INT64_MAX, INT64_MAX};
    const int64_t trueNow = clock.nowMicros() + kTrueOffsetMicros;
    SntpReply replied;
    checkSntpReply(net.delivered.back().bytes.data(), net.delivered.back().bytes.size(), replied);
    const Errors e{mover.movedToMillis[0] * 1000 - trueNow, ntpToUnixMicros(replied.transmit()) - trueNow};
    std::printf("path %d ms out, %d ms back: new rule %+.3f ms, old rule %+.3f ms\n", outMillis, backMillis,
                e.newRule / 1000.0, e.oldRule / 1000.0);
    return e;
  }
};

TEST_F(SntpDelayTest, SymmetricPathsSetTheServersTimeWhereTheOldRuleWasHalfTheRoundTripLate) {
  for (int delay : {0, 40, 400}) {
    const Errors e = exchange(delay, delay);
    EXPECT_LE(std::llabs(e.newRule), 1000) << delay;
    EXPECT_NEAR(e.oldRule, -delay * 1000LL, 1) << delay;
  }
}

TEST_F(SntpDelayTest, AsymmetricPathErrsByAtMostHalfTheAsymmetry) {
  const Errors e = exchange(10, 300);
  EXPECT_LE(std::llabs(e.newRule), 145000 + 1000);
  EXPECT_GE(std::llabs(e.newRule), 144000);  // the offset cannot see an asymmetry
  EXPECT_NEAR(e.oldRule, -300000, 1);
}

TEST_F(SntpDelayTest, ReplayOfAnEarlierReplyIsAServerError) {
  exchange(40, 40);
  ASSERT_EQ(mover.offsets.size(), 1u);
  Arrival replay = net.delivered.back();  // carries the first request's send time
  replay.echoRequestTime = false;
  net.arrivals.push_back(replay);
  const SntpResult r = run();
  EXPECT_EQ(r.outcome, SntpOutcome::BadReply);
  EXPECT_EQ(r.statusText, "サーバーエラー");
  EXPECT_EQ(mover.offsets.size(), 1u);
}

// The dialog's model.

TEST(SntpTimeServerList, ThirteenSortedDistinctHosts) {
  const auto& hosts = timeServerHosts();
  ASSERT_EQ(hosts.size(), 13u);
  EXPECT_TRUE(std::is_sorted(hosts.begin(), hosts.end()));
  EXPECT_EQ(std::adjacent_find(hosts.begin(), hosts.end()), hosts.end());
  EXPECT_NE(std::find(hosts.begin(), hosts.end(), "ntp.nict.jp"), hosts.end());
  EXPECT_NE(std::find(hosts.begin(), hosts.end(), "ntp.jst.mfeed.ad.jp"), hosts.end());
  for (const auto& h : hosts) {
    uint32_t a;
    EXPECT_FALSE(parseDottedIpv4(h, a)) << h;
    EXPECT_EQ(h.find(' '), std::string::npos) << h;
  }
}

TEST_F(SntpClientTest, ModelNeedsAChosenServerBeforeAcquiring) {
  TimeServerModel model;
  SntpClient client(net, clock, mover);
  EXPECT_EQ(model.closeCaption(), "ｷｬﾝｾﾙ");
  EXPECT_FALSE(model.acquire(client, &sink).has_value());
  EXPECT_EQ(net.startups, 0);
  EXPECT_TRUE(sink.statuses.empty());
  EXPECT_EQ(model.statusText(), "");
  EXPECT_EQ(model.closeCaption(), "ｷｬﾝｾﾙ");
  EXPECT_STREQ(time_server_ui::kChooseServerFirst, "ｻｰﾊﾞｰを選択後「決定」を押してください");
}

TEST_F(SntpClientTest, ModelMirrorsAnAttemptAndChooseClearsTheFields) {
  TimeServerModel model;
  SntpClient client(net, clock, mover);

  // A failed attempt keeps button 2 as it was.
  model.choose("no.such.host");
  auto r = model.acquire(client, &sink);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(model.statusText(), "Can Not CONNECT");
  EXPECT_EQ(model.closeCaption(), "ｷｬﾝｾﾙ");

  model.choose("ntp.example.jp");
  EXPECT_EQ(model.connectedServer(), "ntp.example.jp");
  EXPECT_EQ(model.statusText(), "");
  sink.statuses.clear();
  net.arrivals.push_back(reply(serverReply(3786825600u, 0)));
  r = model.acquire(client, &sink);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->outcome, SntpOutcome::ClockSet);
  EXPECT_EQ(sink.statuses, (Texts{"イニシャライズ", "Done1", "Done2", "CONNECT", "時刻セット完了"}));
  EXPECT_EQ(model.statusText(), "時刻セット完了");
  EXPECT_EQ(model.pcTimeText(), "Tue Dec 31 23:59:00 2019\n");
  EXPECT_EQ(model.serverTimeText(), "Wed Jan 01 09:00:00 2020\n");
  EXPECT_EQ(model.closeCaption(), "OK");

  // A later failure leaves "OK" and the earlier times; "決定" clears status and times.
  r = model.acquire(client, nullptr);
  EXPECT_EQ(model.statusText(), "サーバータイムアウト");
  EXPECT_EQ(model.serverTimeText(), "Wed Jan 01 09:00:00 2020\n");
  EXPECT_EQ(model.closeCaption(), "OK");
  model.choose("ntp.nict.jp");
  EXPECT_EQ(model.statusText(), "");
  EXPECT_EQ(model.pcTimeText(), "");
  EXPECT_EQ(model.serverTimeText(), "");
  EXPECT_EQ(model.closeCaption(), "OK");
}

TEST_F(SntpClientTest, ModelTurnsButtonToOkWhenTheClockRefuses) {
  TimeServerModel model;
  mover.result = ClockMoveResult::Failed;
  SntpClient client(net, clock, mover);
  model.choose("ntp.example.jp");
  net.arrivals.push_back(reply(serverReply(3786825600u, 0)));
  model.acquire(client);
  EXPECT_EQ(model.statusText(), "時刻の設定に失敗");
  EXPECT_EQ(model.closeCaption(), "OK");
}

TEST(SntpClockMoveRoute, GoesElevatedWhenThePrivilegeIsMissingOrRefused) {
  RecordingMover direct, elevated;
  ClockMoveRoute withoutPrivilege(direct, elevated, false);
  EXPECT_TRUE(withoutPrivilege.needsElevation());
  withoutPrivilege.moveClockBy(5);
  EXPECT_EQ(elevated.offsets, (std::vector<int64_t>{5}));

  ClockMoveRoute held(direct, elevated, true);
  EXPECT_FALSE(held.needsElevation());
  direct.result = ClockMoveResult::Failed;  // any other failure keeps the route
  EXPECT_EQ(held.moveClockBy(1), ClockMoveResult::Failed);
  EXPECT_FALSE(held.needsElevation());
  direct.result = ClockMoveResult::PrivilegeNotHeld;
  EXPECT_EQ(held.moveClockBy(2), ClockMoveResult::PrivilegeNotHeld);
  EXPECT_TRUE(held.needsElevation());
  held.moveClockBy(3);
  EXPECT_EQ(direct.offsets, (std::vector<int64_t>{1, 2}));
  EXPECT_EQ(elevated.offsets, (std::vector<int64_t>{5, 3}));
}

TEST(SntpIconAnimation, AlternatesBetweenTheTwoIcons) {
  int phase = 0;
  EXPECT_EQ(iconAnimationStep(phase), 129);
  EXPECT_EQ(phase, 1);
  EXPECT_EQ(iconAnimationStep(phase), 128);
  EXPECT_EQ(phase, 0);
  phase = 7;  // anything but 1 draws the second icon
  EXPECT_EQ(iconAnimationStep(phase), 129);
  EXPECT_EQ(&timeServerIconPhase(), &timeServerIconPhase());
}

}  // namespace
}  // namespace mdx
