// Whole simulated days: the real program under Wine with every Wine process (wineserver
// included) on a clock that starts at 2026-12-31 21:00 and runs MDX_SOAK_SPEED times faster
// (libfaketime, set up by run_e2e.sh; this machine's clock is untouched). A probe inside the
// program records every title, sound and launch with the program's own time and the process's
// resources at each new hour; the driver reserves a call and a program, answers the calls, and
// checks the record when the days are over.
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "tests/e2e/driver/harness.h"

namespace e2e {
namespace {

constexpr int kTimerActionCommand = 32772, kCallResetCommand = 32795;
constexpr int kHour = 1003, kMinute = 1004, kProgramCheck = 1217, kProgramTime = 1035, kProgramReserve = 1011,
              kProgramField = 1016, kCallCheck = 1218, kCallTime = 1036, kCallReserve = 1012, kCallText = 1018;
const char kCallWords[] = "ｿｰｸの呼出";
const wchar_t kChimeFile[] = L"C:\\soak-chime.wav";
const wchar_t kLaunchMarker[] = L"C:\\soak-launched.txt";

int speed() {
  wchar_t buf[32] = {};
  GetEnvironmentVariableW(L"MDX_SOAK_SPEED", buf, 32);
  const int s = _wtoi(buf);
  return s > 0 ? s : 1;
}

// Timeouts and pauses are given in real milliseconds; the driver's own clock runs fast too.
DWORD sim(DWORD realMs) { return realMs * static_cast<DWORD>(speed()); }

// Minutes since 2026-12-31 00:00 of a local time (the soak stays within a few days of it).
long minuteOf(const SYSTEMTIME& t) {
  const int dayIndex = t.wYear == 2026 ? 0 : t.wDay;  // 2027-01-dd is day dd after Dec 31
  return (dayIndex * 24L + t.wHour) * 60L + t.wMinute;
}

SYSTEMTIME now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t;
}

std::string stamp(const SYSTEMTIME& t) {
  char b[32];
  std::snprintf(b, sizeof b, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return b;
}

// A short, valid 8 kHz mono WAV file for the user chime.
void writeChimeFile() {
  const DWORD samples = 800, dataSize = samples * 2, riffSize = 36 + dataSize;
  FILE* f = _wfopen(kChimeFile, L"wb");
  if (!f) throw Failure{"cannot write the chime file"};
  auto u32 = [&](DWORD v) { std::fwrite(&v, 4, 1, f); };
  auto u16 = [&](WORD v) { std::fwrite(&v, 2, 1, f); };
  std::fwrite("RIFF", 1, 4, f);
  u32(riffSize);
  std::fwrite("WAVEfmt ", 1, 8, f);
  u32(16), u16(1), u16(1), u32(8000), u32(16000), u16(2), u16(16);
  std::fwrite("data", 1, 4, f);
  u32(dataSize);
  for (DWORD i = 0; i < samples; ++i) u16(static_cast<WORD>((i % 20 < 10) ? 6000 : -6000));
  std::fclose(f);
}

struct LogLine {
  SYSTEMTIME t{};
  std::string kind, detail;
};

std::vector<LogLine> readSoakLog() {
  std::vector<LogLine> lines;
  FILE* f = _wfopen(L"C:\\soak-log.txt", L"rb");
  char buf[70000];
  while (f && std::fgets(buf, sizeof buf, f)) {
    std::string s(buf);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    const size_t a = s.find('\t'), b = a == std::string::npos ? a : s.find('\t', a + 1);
    if (b == std::string::npos) continue;
    LogLine l;
    unsigned y, mo, d, h, mi, se;
    if (std::sscanf(s.c_str(), "%u-%u-%u %u:%u:%u", &y, &mo, &d, &h, &mi, &se) != 6) continue;
    l.t.wYear = static_cast<WORD>(y), l.t.wMonth = static_cast<WORD>(mo), l.t.wDay = static_cast<WORD>(d);
    l.t.wHour = static_cast<WORD>(h), l.t.wMinute = static_cast<WORD>(mi), l.t.wSecond = static_cast<WORD>(se);
    l.kind = s.substr(a + 1, b - a - 1);
    l.detail = s.substr(b + 1);
    lines.push_back(l);
  }
  if (f) std::fclose(f);
  return lines;
}

int launchesRecorded() {
  int n = 0;
  if (FILE* f = _wfopen(kLaunchMarker, L"rb")) {
    for (int c; (c = std::fgetc(f)) != EOF;)
      if (c == '\n') ++n;
    std::fclose(f);
  }
  return n;
}

// Reserves the call for 22:30 and the program for 23:15 in the timer-action dialog.
void reserveCallAndProgram(const Process& p, HWND main) {
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kTimerActionCommand, 0), 0);
  HWND dlg = waitDialog(p, "タイマーアクションの設定", sim(15000));
  auto set = [&](int id, const std::string& t) {
    SendMessageW(GetDlgItem(dlg, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(t).c_str()));
  };
  auto click = [&](int id) { SendMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); };
  click(kCallCheck);
  set(kCallText, kCallWords);
  set(kHour, "22");
  set(kMinute, "30");
  click(kCallReserve);
  check(windowText(GetDlgItem(dlg, kCallTime)) == "22:30", "the call is reserved for 22:30");
  click(kProgramCheck);
  set(kProgramField, "\"C:\\mdxdriver.exe\" --append-line " + narrow(kLaunchMarker));
  set(kHour, "23");
  set(kMinute, "15");
  click(kProgramReserve);
  check(windowText(GetDlgItem(dlg, kProgramTime)) == "23:15", "the program is reserved for 23:15");
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(dlg); }, sim(10000)), "OK closes the timer-action dialog");
}

// The title as the program builds it for AREA1 in 24-hour form: "<h>:<mm> 東京".
bool parseTitle(const std::string& title, int& hour, int& minute) {
  char rest[16] = {};
  return std::sscanf(title.c_str(), "%d:%d %15s", &hour, &minute, rest) == 3 && std::string(rest) == "東京";
}

void checkTheRecord(const std::vector<LogLine>& log, long firstMinute, long endMinute, int days, int resets) {
  // Titles: each one shows the minute it was written in, every minute from the first to the
  // end appears, in order, and a minute is written again only after a call was answered.
  long previous = -1;
  int titles = 0, repeats = 0, callTitles = 0, wrongTitles = 0;
  std::set<long> minutesShown, callMinutes;
  for (const LogLine& l : log) {
    if (l.kind != "title") continue;
    if (l.detail == kCallWords) {
      // While a call is pending its text is the title (every tick): that minute is shown so.
      ++callTitles;
      callMinutes.insert(minuteOf(l.t));
      continue;
    }
    // The program takes its time stamp a little before the probe sees the write, which at this
    // speed can be the previous minute in the first simulated seconds of a new one.
    int h = 0, m = 0;
    long at = minuteOf(l.t);
    const bool parsed = parseTitle(l.detail, h, m);
    if (parsed && (h != l.t.wHour || m != l.t.wMinute) && l.t.wSecond < 3) --at;
    if (!parsed || h != (at % 1440) / 60 || m != at % 60) {
      if (++wrongTitles <= 5) e2e::log("  title \"" + l.detail + "\" written at " + stamp(l.t));
      continue;
    }
    ++titles;
    if (at == previous) ++repeats;
    if (previous >= 0 && at != previous && at != previous + 1)
      e2e::log("  the title skipped from minute " + std::to_string(previous) + " to " + std::to_string(at));
    previous = std::max(previous, at);
    minutesShown.insert(at);
  }
  // The minutes in which the program read the PC clock at all (the probe writes one line for
  // each). A minute the machine never ran the program in cannot show its title however right the
  // program is; at this speed a stall of 150 ms real time is enough. Such minutes are counted
  // apart and must stay rare; a minute the program ran in without showing its title fails.
  std::set<long> ranMinutes;
  for (const LogLine& l : log)
    if (l.kind == "clock") ranMinutes.insert(minuteOf(l.t));
  long missing = 0, underCall = 0, notRun = 0;
  for (long m = firstMinute; m < endMinute; ++m) {
    if (minutesShown.count(m)) continue;
    if (callMinutes.count(m)) {
      ++underCall;
      continue;
    }
    if (!ranMinutes.count(m)) {
      if (++notRun <= 5) e2e::log("  minute " + std::to_string(m) + ": the program did not run in it");
      continue;
    }
    if (++missing <= 5) e2e::log("  no title for minute " + std::to_string(m));
  }
  const long span = endMinute - firstMinute;
  e2e::log("  the program ran in " + std::to_string(span - notRun) + " of " + std::to_string(span) + " minutes");
  check(notRun * 100 <= span, "the machine ran the program in at least 99 % of the minutes (" +
                                  std::to_string(notRun) + " minutes without a tick)");
  e2e::log("  " + std::to_string(callTitles) + " titles with the call's text, in " + std::to_string(callMinutes.size()) +
           " minutes; " + std::to_string(underCall) + " minutes showed only the call");
  check(wrongTitles == 0, "every title shows the hour and minute it was written in (" + std::to_string(wrongTitles) +
                              " did not)");
  check(missing == 0, "the title showed every minute the program ran in, in order, of the " +
                          std::to_string(span) + " (" + std::to_string(missing) + " missing)");
  check(repeats <= resets, "no minute's title was written twice except after an answered call (" +
                               std::to_string(repeats) + " repeats, " + std::to_string(resets) + " calls answered)");
  check(minutesShown.count(minuteOf(SYSTEMTIME{2026, 12, 0, 31, 23, 59, 0, 0})) &&
            minutesShown.count(minuteOf(SYSTEMTIME{2027, 1, 0, 1, 0, 0, 0, 0})),
        "the title went from 23:59 on 2026-12-31 to 0:00 on 2027-01-01");

  // Sounds and launches, counted per hour and per day.
  std::map<long, int> chimes, userChimes;
  std::map<int, int> calls, launches;
  int strayChimes = 0, strayUser = 0;
  std::string lastCallTitleDay;
  for (const LogLine& l : log) {
    const long hour = minuteOf(l.t) / 60;
    if (l.kind == "play_snd") {
      ++chimes[hour];
      if (l.t.wMinute != 0) ++strayChimes;
    }
    if (l.kind == "playsound" && l.detail == narrow(kChimeFile)) {
      ++userChimes[hour];
      if (l.t.wMinute != 30) ++strayUser;
    }
    if (l.kind == "launch") {
      ++launches[static_cast<int>(minuteOf(l.t) / 1440)];
      check(l.t.wHour == 23 && l.t.wMinute == 15, "the program started at 23:15 (" + stamp(l.t) + ")");
    }
    if (l.kind == "title" && l.detail == kCallWords) {
      const std::string day = stamp(l.t).substr(0, 10);
      if (day != lastCallTitleDay) {
        ++calls[static_cast<int>(minuteOf(l.t) / 1440)];
        check(l.t.wHour == 22 && l.t.wMinute == 30, "the call came at 22:30 (" + stamp(l.t) + ")");
      }
      lastCallTitleDay = day;
    }
  }
  int hoursChecked = 0, wrongHours = 0;
  for (long h = firstMinute / 60 + 1; h < endMinute / 60; ++h) {
    ++hoursChecked;
    if (chimes[h] != 1 || userChimes[h] != 1) {
      if (++wrongHours <= 5)
        e2e::log("  hour " + std::to_string(h) + ": " + std::to_string(chimes[h]) + " chimes, " +
                 std::to_string(userChimes[h]) + " user chimes");
    }
  }
  check(strayChimes == 0 && strayUser == 0, "the chimes came only at minutes 00 and 30");
  check(hoursChecked >= days * 24 - 1 && wrongHours == 0,
        "in each of " + std::to_string(hoursChecked) + " hours: the hourly chime once and the user chime once");
  int callDays = 0, launchDays = 0;
  for (const auto& c : calls) callDays += c.second == 1;
  for (const auto& c : launches) launchDays += c.second == 1;
  check(static_cast<int>(calls.size()) == days && callDays == days, "the call came exactly once on each of the " +
                                                                        std::to_string(days) + " days");
  check(static_cast<int>(launches.size()) == days && launchDays == days,
        "the program was started exactly once on each day");
  check(launchesRecorded() == days, "and it ran each time (" + std::to_string(launchesRecorded()) + " runs)");
}

void checkResources(const std::vector<LogLine>& log, long firstMinute) {
  struct Sample {
    std::string at;
    unsigned long long priv;
    unsigned long handles, gdi, user;
    unsigned long long workingSet;
    unsigned long threads;
  };
  std::vector<Sample> samples;
  for (const LogLine& l : log) {
    if (l.kind != "resources") continue;
    Sample s{stamp(l.t), 0, 0, 0, 0, 0, 0};
    // private bytes, kernel handles, GDI, USER, working set, threads
    std::sscanf(l.detail.c_str(), "%llu\t%lu\t%lu\t%lu\t%llu\t%lu", &s.priv, &s.handles, &s.gdi, &s.user,
                &s.workingSet, &s.threads);
    // From the first whole simulated hour on.
    if (minuteOf(l.t) >= (firstMinute / 60 + 1) * 60) samples.push_back(s);
  }
  check(samples.size() >= 2, "resources sampled at every hour (" + std::to_string(samples.size()) + " samples)");
  const Sample& base = samples.front();
  const Sample& last = samples.back();
  Sample most = base;
  for (const Sample& s : samples) {
    if (s.priv > most.priv) most.at = s.at;
    most.priv = std::max(most.priv, s.priv);
    most.handles = std::max(most.handles, s.handles);
    most.gdi = std::max(most.gdi, s.gdi);
    most.user = std::max(most.user, s.user);
  }
  auto figures = [](const Sample& s) {
    return "private bytes " + std::to_string(s.priv) + ", kernel handles " + std::to_string(s.handles) + ", GDI " +
           std::to_string(s.gdi) + ", USER " + std::to_string(s.user) + ", threads " + std::to_string(s.threads);
  };
  for (const Sample& s : samples) e2e::log("  " + s.at + ": " + figures(s));
  e2e::log("  hour 1 (" + base.at + "): " + figures(base));
  e2e::log("  the end (" + last.at + "): " + figures(last));
  e2e::log("  highest after hour 1 (private bytes at " + most.at + "): " + figures(most));
  // Growth compares the typical value (the median) of the first quarter of the samples with
  // that of the last quarter: a thread that plays a sound or starts a program holds a stack and
  // a few handles for a while, and one sample may catch it. Any peak is reported.
  auto within = [](unsigned long long value, unsigned long long base, int percent) {
    return value * 100 <= base * static_cast<unsigned long long>(100 + percent);
  };
  const size_t quarter = std::max<size_t>(1, samples.size() / 4);
  auto median = [&](size_t from, unsigned long long Sample::*priv, unsigned long Sample::*count) {
    std::vector<unsigned long long> v;
    for (size_t i = from; i < from + quarter && i < samples.size(); ++i)
      v.push_back(priv ? samples[i].*priv : samples[i].*count);
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  const unsigned long long privEarly = median(0, &Sample::priv, nullptr),
                           privLate = median(samples.size() - quarter, &Sample::priv, nullptr);
  const unsigned long long handlesEarly = median(0, nullptr, &Sample::handles),
                           handlesLate = median(samples.size() - quarter, nullptr, &Sample::handles);
  e2e::log("  medians of the first and last quarter: private bytes " + std::to_string(privEarly) + " -> " +
           std::to_string(privLate) + ", kernel handles " + std::to_string(handlesEarly) + " -> " +
           std::to_string(handlesLate));
  // Private bytes and handles are compared between samples taken with the same number of threads
  // (a live sound thread holds a stack of about 1 MiB and a handle): for each count, its earliest sample against its latest.
  // The count seen over the longest stretch must span at least half of the samples.
  std::map<unsigned long, std::pair<size_t, size_t>> byThreads;  // count -> first, last index
  for (size_t i = 0; i < samples.size(); ++i) {
    auto it = byThreads.find(samples[i].threads);
    if (it == byThreads.end()) byThreads[samples[i].threads] = {i, i};
    else it->second.second = i;
  }
  bool privFlat = true, handlesFlat = true;  // a thread holds its own handle too
  size_t longest = 0;
  for (const auto& [threads, span] : byThreads) {
    const Sample& a = samples[span.first];
    const Sample& b = samples[span.second];
    longest = std::max(longest, span.second - span.first);
    e2e::log("  with " + std::to_string(threads) + " threads: private bytes " + std::to_string(a.priv) + " (" + a.at +
             ") -> " + std::to_string(b.priv) + " (" + b.at + ")");
    if (a.priv == 0 || !within(b.priv, a.priv, 1)) privFlat = false;
    e2e::log("  with " + std::to_string(threads) + " threads: kernel handles " + std::to_string(a.handles) + " -> " +
             std::to_string(b.handles));
    if (a.handles == 0 || !within(b.handles, a.handles, 1)) handlesFlat = false;
  }
  check(longest * 2 >= samples.size() - 1, "one thread count spans at least half of the run");
  check(privEarly > 0 && privFlat, "private bytes grow less than 1 % over the run at each thread count");
  check(handlesEarly > 0 && handlesFlat, "kernel handles grow less than 1 % over the run at each thread count");
  check(within(last.user, base.user, 1), "USER objects (the program's windows) at the end as in the first hour");
  if (base.gdi == 0 && most.gdi == 0)
    e2e::log("  GDI objects: this Wine does not report them");
  else
    check(within(last.gdi, base.gdi, 1), "GDI objects at the end within 1 % of the first hour's");
}

void soak(const Context& ctx, int days) {
  const SYSTEMTIME start = now();
  log("  the driver's clock reads " + stamp(start) + " at " + std::to_string(speed()) + "x");
  check(start.wYear == 2026 && start.wMonth == 12 && start.wDay == 31 &&
            ((start.wHour == 20 && start.wMinute >= 55) || (start.wHour == 21 && start.wMinute < 10)),
        "the Wine processes run on the soak's clock, at 2026-12-31 21:00 when the program starts");
  deleteProgramKey();
  writeChimeFile();
  DeleteFileW(kLaunchMarker);
  DeleteFileW(L"C:\\soak-log.txt");
  writeInt("OPTION", "TITLE", 1);
  writeInt("AREA1", "D_24HOUR", 0);
  writeInt("OPTION", "JIHOU", 1);
  writeInt("ACTION", "USERJIHOU", 1);
  writeInt("ACTION", "USERMAIFUN", 30);
  writeText("ACTION", "USERWAVFILE", narrow(kChimeFile));

  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p, sim(20000));
  injectLibrary(p, L"C:\\mdxsoakprobe.dll");
  check(waitFor([] { return GetFileAttributesW(L"C:\\soak-log.txt") != INVALID_FILE_ATTRIBUTES; }, sim(10000)),
        "the soak probe is in place");
  reserveCallAndProgram(p, main);
  const long firstMinute = minuteOf(now()) + 1;
  check(now().wHour == 21 || (now().wHour == 22 && now().wMinute < 25), "the reservations are made before 22:25 (" +
                                                                            stamp(now()) + ")");

  // The days pass. Answer each call as soon as its text is in the title.
  const long endMinute = minuteOf(start) + days * 1440L;
  int resets = 0;
  bool shotBefore = false, shotAfter = false;
  while (minuteOf(now()) < endMinute) {
    Sleep(sim(20));
    if (!p.running()) throw Failure{"the program ended during the soak at " + stamp(now())};
    DWORD_PTR len = 0;
    wchar_t title[256] = {};
    if (SendMessageTimeoutW(main, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(title), SMTO_ABORTIFHUNG, sim(2000), &len) &&
        narrow(title) == kCallWords) {
      PostMessageW(main, WM_COMMAND, MAKEWPARAM(kCallResetCommand, 0), 0);
      ++resets;
      waitFor([&] { return windowText(main) != kCallWords; }, sim(2000));
    }
    const SYSTEMTIME t = now();
    if (!shotBefore && t.wYear == 2026 && t.wHour == 23 && t.wMinute == 59) {
      screenshot(ctx, main, "2026-12-31-2359");
      shotBefore = true;
    }
    if (!shotAfter && t.wYear == 2027 && t.wHour == 0 && t.wMinute == 1) {
      screenshot(ctx, main, "2027-01-01-0001");
      shotAfter = true;
    }
  }
  log("  the soak ended at " + stamp(now()) + " with " + std::to_string(resets) + " calls answered");
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(1, 0), 0);
  check(p.waitExit(sim(15000)), "終了 ends the program after the soak");
  const auto log = readSoakLog();
  e2e::log("  " + std::to_string(log.size()) + " events recorded");
  checkTheRecord(log, firstMinute, endMinute, days, resets);
  checkResources(log, firstMinute);
}

Register r1("soak.one_day", [](const Context& ctx) { soak(ctx, 1); });
Register r2("soak.three_days", [](const Context& ctx) { soak(ctx, 3); });

}  // namespace
}  // namespace e2e
