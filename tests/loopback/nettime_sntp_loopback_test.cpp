// The network-time exchange over real sockets on loopback: against chrony serving NTP on
// 127.0.0.1:123 (started here with a private configuration and -x, so it never touches the
// system clock), and against a scripted responder for the replies a good server never sends.
// The clock mover only records: no test sets the machine's clock.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "nettime/sntp.h"
#include "nettime/sntp_client.h"
#include "platform/clock.h"
#include "platform/posix/udp_socket.h"
#include "testsupport/sntp_doubles.h"
#include "platform/ipv4_socket_address.h"

namespace mdx {
namespace {

using test::serverReply;

using Texts = std::vector<std::string>;
constexpr uint32_t kLoopback = 0x7F000001;  // 127.0.0.1
constexpr uint32_t kLoopback2 = 0x7F000002; // 127.0.0.2, a different sender on this machine

using RecordingMover = test::RecordingClockMover;
using RecordingSink = test::RecordingSntpSink;

// A UDP socket bound to address:port (port 0: any free port); -1 with errno when it cannot be had.
int boundSocket(uint32_t address, uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return -1;
  const sockaddr_in sa = ipv4SocketAddress(address, port);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
    const int e = errno;
    ::close(fd);
    errno = e;
    return -1;
  }
  return fd;
}

uint16_t localPort(int fd) {
  sockaddr_in sa;
  socklen_t len = sizeof sa;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
  return ntohs(sa.sin_port);
}

bool portFree(uint32_t address, uint16_t port) {
  const int fd = boundSocket(address, port);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

Texts upToConnectThen(const std::string& last, bool bound) {
  Texts t = {"イニシャライズ", "Done1"};
  if (bound) {
    t.push_back("Done2");
  } else {
    t.push_back("ポートエラー１");
    t.push_back("ポートエラー２");
  }
  t.push_back("CONNECT");
  t.push_back(last);
  return t;
}

// ---------------------------------------------------------------------------------------------
// chrony on 127.0.0.1:123.

class ChronyServer {
 public:
  ~ChronyServer() { stop(); }

  // Starts chronyd in the foreground with a configuration in a fresh temporary folder; returns an
  // explanation when it could not be started or did not answer.
  std::string start() {
    char dirTemplate[] = "/tmp/mdx-chrony-XXXXXX";
    if (!::mkdtemp(dirTemplate)) return "mkdtemp failed";
    dir_ = dirTemplate;
    const std::string conf = dir_ + "/chrony.conf";
    {
      std::ofstream out(conf);
      out << "port 123\n"
          << "bindaddress 127.0.0.1\n"
          << "allow 127.0.0.1\n"
          << "local stratum 8\n"
          << "cmdport 0\n"
          << "bindcmdaddress /\n"
          << "pidfile " << dir_ << "/chronyd.pid\n"
          << "driftfile " << dir_ << "/chrony.drift\n";
    }
    const std::string log = dir_ + "/chronyd.log";

    pid_ = ::fork();
    if (pid_ < 0) return "fork failed";
    if (pid_ == 0) {
      const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd >= 0) {
        ::dup2(fd, 1);
        ::dup2(fd, 2);
      }
      // -x: never adjust the system clock; -d: stay in the foreground; -u root: keep access to the
      // private folder; -4: IPv4 only.
      ::execl("/usr/sbin/chronyd", "chronyd", "-f", conf.c_str(), "-x", "-d", "-u", "root", "-4",
              static_cast<char*>(nullptr));
      ::_exit(127);
    }

    // Wait until it answers with a synchronised reply (its local reference is in use).
    const int probe = boundSocket(kLoopback, 0);
    if (probe < 0) return "no socket for probing chronyd";
    const SntpPacket request = makeSntpRequest(0x0123456789ABCDEFull);
    const sockaddr_in server = ipv4SocketAddress(kLoopback, 123);
    for (int i = 0; i < 50; ++i) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        ::close(probe);
        return "chronyd exited early: " + readFile(log);
      }
      ::sendto(probe, request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&server),
               sizeof server);
      pollfd p{probe, POLLIN, 0};
      if (::poll(&p, 1, 200) == 1) {
        uint8_t buffer[64];
        const ssize_t n = ::recv(probe, buffer, sizeof buffer, 0);
        if (n >= 48 && (buffer[0] >> 6) != 3) {
          ::close(probe);
          return "";
        }
      }
    }
    ::close(probe);
    return "chronyd did not answer within 10 s: " + readFile(log);
  }

  void stop() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      int status = 0;
      bool gone = false;
      for (int i = 0; i < 50 && !gone; ++i) {
        gone = ::waitpid(pid_, &status, WNOHANG) == pid_;
        if (!gone) std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
      if (!gone) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
      }
      pid_ = -1;
    }
    if (!dir_.empty()) {
      for (const char* name : {"chrony.conf", "chronyd.pid", "chrony.drift", "chronyd.log"}) {
        ::unlink((dir_ + "/" + name).c_str());
      }
      ::rmdir(dir_.c_str());
      dir_.clear();
    }
  }

 private:
  static std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  pid_t pid_ = -1;
  std::string dir_;
};

bool hostsFileHasLocalhost() {
  std::ifstream in("/etc/hosts");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string address, name;
    if (!(words >> address) || address != "127.0.0.1") continue;
    while (words >> name) {
      if (name == "localhost") return true;
    }
  }
  return false;
}

TEST(SntpLoopback, ChronyServesTheSystemTime) {
  if (::access("/usr/sbin/chronyd", X_OK) != 0) {
    GTEST_SKIP() << "chrony is not installed (/usr/sbin/chronyd missing)";
  }
  if (!portFree(kLoopback, 123)) {
    GTEST_SKIP() << "UDP port 123 on 127.0.0.1 is in use (" << std::strerror(errno)
                 << "); another NTP server is running";
  }
  const bool bound = portFree(0, 1024);

  ChronyServer chrony;
  const std::string problem = chrony.start();
  ASSERT_EQ(problem, "");

  PosixUdpNetwork network;
  SystemClock clock;
  RecordingMover mover(&clock);
  SntpClient client(network, clock, mover);

  // Once by address and once by name: both reach the server, and the second attempt gets the
  // local port again because the first closed its socket. The name is tried only when the hosts
  // file answers it, so the lookup never leaves the machine.
  std::vector<std::string> servers = {"127.0.0.1"};
  if (hostsFileHasLocalhost()) servers.push_back("localhost");
  for (const std::string& server : servers) {
    SCOPED_TRACE(server);
    RecordingSink sink;
    const int64_t before = clock.nowMillis();
    const SntpResult r = client.acquire(server, sink);
    const int64_t after = clock.nowMillis();

    EXPECT_EQ(sink.statuses, upToConnectThen("時刻セット完了", bound));
    ASSERT_EQ(r.outcome, SntpOutcome::ClockSet);
    ASSERT_FALSE(mover.movedToMillis.empty());
    EXPECT_GE(r.serverUnixSeconds * 1000, before - 1000);
    EXPECT_LE(r.serverUnixSeconds * 1000, after + 1000);
    // chrony serves this machine's own time: the measured offset is nearly nothing.
    EXPECT_LE(std::llabs(r.offsetMicros), 10000) << r.offsetMicros << " us";
    EXPECT_GE(mover.movedToMillis.back(), before - 10);
    EXPECT_LE(mover.movedToMillis.back(), after + 10);
  }
  EXPECT_EQ(mover.offsets.size(), servers.size());
  chrony.stop();
}

// ---------------------------------------------------------------------------------------------
// A scripted responder: answers the first request it gets with a list of datagrams, each sent
// either from its own address or from 127.0.0.2.

struct ScriptedDatagram {
  std::vector<uint8_t> bytes;
  bool foreign = false;  // sent from 127.0.0.2 instead of the server's address
  int delayMillis = 0;   // pause before sending
  bool echo = true;      // bytes 24..31 become the request's transmit time, as a server does
};

ScriptedDatagram datagram(const SntpPacket& p, bool foreign = false, int delayMillis = 0) {
  return ScriptedDatagram{std::vector<uint8_t>(p.begin(), p.end()), foreign, delayMillis};
}

class ScriptedResponder {
 public:
  explicit ScriptedResponder(std::vector<ScriptedDatagram> script) : script_(std::move(script)) {
    fd_ = boundSocket(kLoopback, 0);
    foreignFd_ = boundSocket(kLoopback2, 0);
    if (fd_ >= 0) port_ = localPort(fd_);
    if (fd_ >= 0 && foreignFd_ >= 0) thread_ = std::thread([this] { run(); });
  }
  ~ScriptedResponder() {
    if (thread_.joinable()) thread_.join();
    if (fd_ >= 0) ::close(fd_);
    if (foreignFd_ >= 0) ::close(foreignFd_);
  }

  bool ready() const { return fd_ >= 0 && foreignFd_ >= 0; }
  uint16_t port() const { return port_; }
  std::vector<uint8_t> request() {
    if (thread_.joinable()) thread_.join();
    return request_;
  }

 private:
  void run() {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 5000) != 1) return;  // no request: the thread ends on its own
    uint8_t buffer[128];
    sockaddr_in client;
    socklen_t len = sizeof client;
    const ssize_t n =
        ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&client), &len);
    if (n < 0) return;
    request_.assign(buffer, buffer + n);
    // The client listens on every interface; answer it at 127.0.0.1 on its port.
    const sockaddr_in to = ipv4SocketAddress(kLoopback, ntohs(client.sin_port));
    for (ScriptedDatagram d : script_) {
      if (d.delayMillis > 0) std::this_thread::sleep_for(std::chrono::milliseconds(d.delayMillis));
      if (d.echo && d.bytes.size() >= 32 && n >= 48) std::copy(buffer + 40, buffer + 48, d.bytes.begin() + 24);
      ::sendto(d.foreign ? foreignFd_ : fd_, d.bytes.data(), d.bytes.size(), 0,
               reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
  }

  std::vector<ScriptedDatagram> script_;
  int fd_ = -1;
  int foreignFd_ = -1;
  uint16_t port_ = 0;
  std::thread thread_;
  std::vector<uint8_t> request_;
};

class SntpScriptedTest : public ::testing::Test {
 protected:
  SntpResult runAgainst(ScriptedResponder& responder) {
    SntpOptions options;
    options.serverPort = responder.port();
    SntpClient client(network, clock, mover, options);
    bound = portFree(0, 1024);
    return client.acquire("127.0.0.1", sink);
  }

  // An attempt that must end in the timeout; how long it took.
  std::chrono::steady_clock::duration timeoutRunAgainst(ScriptedResponder& responder) {
    const auto start = std::chrono::steady_clock::now();
    const SntpResult r = runAgainst(responder);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.outcome, SntpOutcome::Timeout);
    EXPECT_EQ(sink.statuses, upToConnectThen("サーバータイムアウト", bound));
    return waited;
  }

  PosixUdpNetwork network;
  SystemClock clock;
  RecordingMover mover{&clock};
  RecordingSink sink;
  bool bound = true;

  // The last move set the clock to the reply's transmit time, give or take the loopback path
  // (the replies carry no receive time, so half the round trip is added).
  void expectMovedTo(uint32_t ntpSeconds, int millis, int64_t slackMillis = 100) {
    ASSERT_FALSE(mover.movedToMillis.empty());
    EXPECT_NEAR(mover.movedToMillis.back(), ntpSecondsToUnix(ntpSeconds) * 1000 + millis, slackMillis);
  }
};

TEST_F(SntpScriptedTest, SilentServerTimesOutAfterThreeSeconds) {
  ScriptedResponder responder({});
  ASSERT_TRUE(responder.ready());
  const auto waited = timeoutRunAgainst(responder);
  EXPECT_GE(waited, std::chrono::milliseconds(2900));
  EXPECT_LT(waited, std::chrono::milliseconds(6000));
  EXPECT_TRUE(mover.offsets.empty());
  // The request on the wire: 48 bytes, 0x0B, zeros, and the send time in the transmit timestamp.
  const std::vector<uint8_t> request = responder.request();
  ASSERT_EQ(request.size(), 48u);
  EXPECT_EQ(request[0], 0x0B);
  for (std::size_t i = 1; i < 40; ++i) EXPECT_EQ(request[i], 0) << "byte " << i;
  uint64_t stamp = 0;
  for (int i = 0; i < 8; ++i) stamp = (stamp << 8) | request[40 + i];
  EXPECT_NEAR(ntpToUnixMicros(stamp) / 1000, clock.nowMillis() - 3000, 1000);
}

TEST_F(SntpScriptedTest, UnusableRepliesNeverSetTheClock) {
  struct Case {
    const char* name;
    ScriptedDatagram reply;
  };
  std::vector<uint8_t> shortReply;
  {
    const SntpPacket p = serverReply(3786825600u, 0);
    shortReply.assign(p.begin(), p.begin() + 40);
  }
  const Case cases[] = {
      {"short", ScriptedDatagram{shortReply, false, 0}},
      {"zero transmit time", datagram(serverReply(0, 0))},
      {"unsynchronised", datagram(serverReply(3786825600u, 0, /*leap=*/3))},
      {"kiss-o'-death", datagram(serverReply(3786825600u, 0, 0, 4, /*stratum=*/0))},
      {"not an answer to this request", ScriptedDatagram{datagram(serverReply(3786825600u, 0)).bytes, false, 0, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sink.statuses.clear();
    ScriptedResponder responder({c.reply});
    ASSERT_TRUE(responder.ready());
    const SntpResult r = runAgainst(responder);
    EXPECT_EQ(r.outcome, SntpOutcome::BadReply);
    EXPECT_EQ(sink.statuses, upToConnectThen("サーバーエラー", bound));
  }
  EXPECT_TRUE(mover.offsets.empty());
}

TEST_F(SntpScriptedTest, ForeignSenderIsIgnoredAndTheServersReplyTaken) {
  // 127.0.0.2 answers first with a different time; the server's own reply follows.
  ScriptedResponder responder({datagram(serverReply(4000000000u, 0), /*foreign=*/true),
                               datagram(serverReply(3786825600u, 0x80000000u), false, 300)});
  ASSERT_TRUE(responder.ready());
  const SntpResult r = runAgainst(responder);
  EXPECT_EQ(r.outcome, SntpOutcome::ClockSet);
  EXPECT_EQ(sink.statuses, upToConnectThen("時刻セット完了", bound));
  EXPECT_EQ(r.serverUnixSeconds, 1577836800);
  ASSERT_EQ(mover.offsets.size(), 1u);
  expectMovedTo(3786825600u, 500, 250);  // the reply came 300 ms late: half of it is added
}

TEST_F(SntpScriptedTest, OnlyForeignRepliesEndInTimeout) {
  ScriptedResponder responder({datagram(serverReply(3786825600u, 0), true),
                               datagram(serverReply(3786825600u, 0), true, 1000)});
  ASSERT_TRUE(responder.ready());
  const auto waited = timeoutRunAgainst(responder);
  // The foreign datagrams did not restart the three seconds.
  EXPECT_LT(waited, std::chrono::milliseconds(3900));
  EXPECT_TRUE(mover.offsets.empty());
}

TEST_F(SntpScriptedTest, LocalPortTakenFallsBackToPortErrors) {
  const int blocker = boundSocket(0, 1024);
  if (blocker < 0) GTEST_SKIP() << "local port 1024 is in use by another program";
  ScriptedResponder responder({datagram(serverReply(3786825600u, 0))});
  ASSERT_TRUE(responder.ready());
  SntpOptions options;
  options.serverPort = responder.port();
  SntpClient client(network, clock, mover, options);
  const SntpResult r = client.acquire("127.0.0.1", sink);
  ::close(blocker);
  EXPECT_EQ(sink.statuses, upToConnectThen("時刻セット完了", false));
  EXPECT_EQ(r.outcome, SntpOutcome::ClockSet);
}

// ---------------------------------------------------------------------------------------------
// Hostile replies: odd sizes, every header combination, edge timestamps, floods and late replies.
// Whatever arrives, the clock is set only from the time the server's reply carries, no attempt
// waits past its timeout, and the attempt after it works like the first.

constexpr uint32_t k2020 = 3786825600u;  // 2020-01-01 00:00:00 UTC in NTP seconds

class SntpHostileTest : public SntpScriptedTest {
 protected:
  // Runs one attempt and checks that it kept to its three seconds (plus scheduling slack).
  SntpResult timedRun(ScriptedResponder& responder) {
    const auto start = std::chrono::steady_clock::now();
    SntpResult r = runAgainst(responder);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::milliseconds(3600)) << "the attempt waited past its timeout";
    return r;
  }

  // A plain good exchange right after: it must set the clock exactly as a first attempt does.
  void expectNextAttemptWorks() {
    const size_t before = mover.offsets.size();
    sink.statuses.clear();
    ScriptedResponder good({datagram(serverReply(k2020, 0x40000000u))});
    ASSERT_TRUE(good.ready());
    const SntpResult r = timedRun(good);
    EXPECT_EQ(r.outcome, SntpOutcome::ClockSet);
    EXPECT_EQ(sink.statuses, upToConnectThen("時刻セット完了", bound));
    ASSERT_EQ(mover.offsets.size(), before + 1);
    expectMovedTo(k2020, 250);
  }
};

std::vector<uint8_t> sized(const SntpPacket& p, size_t size) {
  std::vector<uint8_t> bytes(size, 0xA5);  // whatever follows the 48 bytes is noise
  std::copy(p.begin(), p.begin() + std::min(size, p.size()), bytes.begin());
  return bytes;
}

TEST_F(SntpHostileTest, ReplySizesZeroToMtuTakeOnlyAWholePacketsFirst48Bytes) {
  struct Case {
    size_t size;
    SntpOutcome outcome;
  };
  for (const Case c : {Case{0, SntpOutcome::BadReply}, Case{47, SntpOutcome::BadReply},
                       Case{48, SntpOutcome::ClockSet}, Case{49, SntpOutcome::ClockSet},
                       Case{1500, SntpOutcome::ClockSet}}) {
    SCOPED_TRACE(c.size);
    sink.statuses.clear();
    const size_t before = mover.offsets.size();
    ScriptedResponder responder({ScriptedDatagram{sized(serverReply(k2020 + 60, 0x80000000u), c.size), false, 0}});
    ASSERT_TRUE(responder.ready());
    const SntpResult r = timedRun(responder);
    EXPECT_EQ(r.outcome, c.outcome);
    if (c.outcome == SntpOutcome::ClockSet) {
      ASSERT_EQ(mover.offsets.size(), before + 1);
      expectMovedTo(k2020 + 60, 500);
    } else {
      EXPECT_EQ(mover.offsets.size(), before);
    }
    expectNextAttemptWorks();
  }
}

TEST_F(SntpHostileTest, EveryLeapVersionModeAndStratumIsJudgedByTheHeaderAlone) {
  // Each field in turn over its whole range (the others at a good server's values); the full
  // cross product is the codec's unit test.
  struct Header {
    int leap, version, mode, stratum;
  };
  std::vector<Header> headers;
  for (int v = 0; v < 4; ++v) headers.push_back({v, 4, 4, 2});
  for (int v = 0; v < 8; ++v) headers.push_back({0, v, 4, 2});
  for (int v = 0; v < 8; ++v) headers.push_back({0, 4, v, 2});
  for (int v : {0, 1, 15, 16, 255}) headers.push_back({0, 4, 4, v});
  for (const Header& h : headers) {
    SCOPED_TRACE(::testing::Message() << "LI " << h.leap << " VN " << h.version << " mode " << h.mode << " stratum "
                                      << h.stratum);
    SntpPacket p = serverReply(k2020 + 120, 0);
    p[0] = static_cast<uint8_t>((h.leap << 6) | (h.version << 3) | h.mode);
    p[1] = static_cast<uint8_t>(h.stratum);
    const bool usable = h.leap != 3 && (h.mode == 4 || h.mode == 5) && h.stratum != 0;
    const size_t before = mover.offsets.size();
    ScriptedResponder responder({datagram(p)});
    ASSERT_TRUE(responder.ready());
    const SntpResult r = timedRun(responder);
    EXPECT_EQ(r.outcome, usable ? SntpOutcome::ClockSet : SntpOutcome::BadReply);
    EXPECT_EQ(mover.offsets.size(), before + (usable ? 1 : 0));
    if (usable) expectMovedTo(k2020 + 120, 0);
  }
  expectNextAttemptWorks();
}

TEST_F(SntpHostileTest, EdgeTransmitTimestampsSetExactlyWhatTheyCarry) {
  struct Case {
    uint32_t seconds;
    SntpOutcome outcome;
  };
  // 0: no time at all; 1 and 2^32-1: either side of the NTP era change in 2036; 2^31: 1968.
  for (const Case c : {Case{0u, SntpOutcome::BadReply}, Case{1u, SntpOutcome::ClockSet},
                       Case{0x80000000u, SntpOutcome::TimeBefore1970}, Case{0xFFFFFFFFu, SntpOutcome::ClockSet}}) {
    SCOPED_TRACE(c.seconds);
    const size_t before = mover.offsets.size();
    ScriptedResponder responder({datagram(serverReply(c.seconds, 0))});
    ASSERT_TRUE(responder.ready());
    const SntpResult r = timedRun(responder);
    EXPECT_EQ(r.outcome, c.outcome);
    if (c.outcome == SntpOutcome::ClockSet) {
      ASSERT_EQ(mover.offsets.size(), before + 1);
      expectMovedTo(c.seconds, 0);
      EXPECT_EQ(r.serverUnixSeconds, c.seconds == 1u ? 2085978497 : 2085978495);
    } else {
      EXPECT_EQ(mover.offsets.size(), before);
    }
    expectNextAttemptWorks();
  }
}

TEST_F(SntpHostileTest, FloodOfTenThousandDatagramsNeverSetsAWrongTimeNorOverstaysTheWait) {
  // From another sender: believable packets with a wrong time, then the server's reply. The
  // kernel may drop any of them once the socket's queue is full, the server's reply included.
  std::vector<ScriptedDatagram> flood(10000, datagram(serverReply(4000000000u, 0), /*foreign=*/true));
  flood.push_back(datagram(serverReply(k2020 + 180, 0)));
  {
    const size_t before = mover.offsets.size();
    ScriptedResponder responder(flood);
    ASSERT_TRUE(responder.ready());
    const SntpResult r = timedRun(responder);
    EXPECT_TRUE(r.outcome == SntpOutcome::ClockSet || r.outcome == SntpOutcome::Timeout) << r.statusText;
    if (r.outcome == SntpOutcome::ClockSet) expectMovedTo(k2020 + 180, 0, 3000);  // the flood may delay the reply
    EXPECT_EQ(mover.offsets.size(), before + (r.outcome == SntpOutcome::ClockSet ? 1 : 0));
  }
  expectNextAttemptWorks();
  // From the server itself: garbage first, so the first datagram decides and nothing later counts.
  SntpPacket garbage = serverReply(4000000000u, 0, 0, /*mode=*/3);
  std::vector<ScriptedDatagram> own(10000, datagram(garbage));
  own.push_back(datagram(serverReply(k2020 + 240, 0)));
  {
    const size_t before = mover.offsets.size();
    ScriptedResponder responder(own);
    ASSERT_TRUE(responder.ready());
    EXPECT_EQ(timedRun(responder).outcome, SntpOutcome::BadReply);
    EXPECT_EQ(mover.offsets.size(), before);
  }
  expectNextAttemptWorks();
}

TEST_F(SntpHostileTest, ReplyAfterTheTimeoutIsNeverTaken) {
  ScriptedResponder late({datagram(serverReply(4000000000u, 0), false, 3300)});
  ASSERT_TRUE(late.ready());
  const SntpResult r = timedRun(late);
  EXPECT_EQ(r.outcome, SntpOutcome::Timeout);
  EXPECT_TRUE(mover.offsets.empty());
  late.request();  // the late reply has gone out (to a closed socket)
  expectNextAttemptWorks();
  EXPECT_EQ(mover.offsets.size(), 1u);
}

}  // namespace
}  // namespace mdx
