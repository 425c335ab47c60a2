// The release installer in a fresh prefix: its first page, silent installs as an administrator
// runs them, the program started from its Start-menu shortcut, an install over the running copy,
// an install over an earlier one, and the silent uninstall.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

#include "tests/e2e/driver/harness.h"

namespace e2e {
namespace {

const wchar_t kSetup[] = L"C:\\Meridexa-1.50-setup.exe";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Meridexa";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kPlainTitle[] = "((((( Meridexa )))))";
// The setup's exit code when it found Meridexa running and left the files alone.
constexpr DWORD kExitRunning = 2;

const wchar_t* const kInstalledFiles[] = {
    L"meridexa.exe", L"mdxutil.dll", L"mdxsound.dll", L"mdxgraph.dll", L"meridexa.html",
    L"はじめにお読みください.txt", L"licenses\\GPL-3.txt", L"licenses\\MinGW-w64-runtime.txt",
    L"licenses\\NaturalEarth.txt", L"licenses\\Shinonome-fonts.txt", L"licenses\\Unicode-CLDR.txt",
    L"licenses\\tzdata.txt", L"uninstall.exe",
};

std::wstring knownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path))) throw Failure{"no known folder"};
  std::wstring s = path;
  CoTaskMemFree(path);
  return s;
}

std::wstring lower(std::wstring s) {
  std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return s;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string contents(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::wstring> regText(const wchar_t* key, const wchar_t* name) {
  wchar_t buf[1024] = {};
  DWORD size = sizeof buf, type = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, &type, buf, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buf);
}

std::optional<DWORD> regNumber(const wchar_t* key, const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

bool keyExists(const wchar_t* key) {
  HKEY k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

// The program a .lnk file points at, read through the shell as Explorer reads it.
std::wstring shortcutTarget(const std::wstring& lnk) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    throw Failure{"no shell link object"};
  std::wstring target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(lnk.c_str(), STGM_READ))) {
      wchar_t path[MAX_PATH] = {};
      if (SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) target = path;
    }
    file->Release();
  }
  link->Release();
  return target;
}

// Runs a command line from C:\ (as the shell would, outside the install folder) and returns its
// exit code and how long it ran; a run past the timeout is ended and fails the scenario.
DWORD runToEnd(const std::wstring& commandLine, DWORD timeoutMs, DWORD* tookMs = nullptr) {
  std::wstring cmd = commandLine;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const ULONGLONG start = GetTickCount64();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, L"C:\\", &si, &pi))
    throw Failure{"cannot run " + narrow(commandLine) + " (error " + std::to_string(GetLastError()) + ")"};
  const bool ended = WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  if (!ended) TerminateProcess(pi.hProcess, 99);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  if (!ended) throw Failure{narrow(commandLine) + " did not end"};
  if (tookMs) *tookMs = static_cast<DWORD>(GetTickCount64() - start);
  return code;
}

DWORD silentSetup(const std::wstring& options) {
  DWORD took = 0;
  const DWORD code = runToEnd(L"\"" + std::wstring(kSetup) + L"\" /S" + (options.empty() ? L"" : L" " + options),
                              120000, &took);
  log("  setup /S " + narrow(options) + ": exit " + std::to_string(code) + " after " + std::to_string(took) + " ms");
  return code;
}

// The sizes of an icon group in a module's resources (256 is stored as 0). The group is named
// by number, as the program's and the setup's are.
std::multiset<int> iconGroupSizes(const std::wstring& module, const wchar_t* group) {
  std::multiset<int> sizes;
  HMODULE m = LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!m) return sizes;
  if (!group) {
    // The first icon group, whatever its name: the installer's own icon.
    EnumResourceNamesW(
        m, RT_GROUP_ICON,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) -> BOOL {
          *reinterpret_cast<LPCWSTR*>(first) = name;
          return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&group));
  }
  HRSRC res = group ? FindResourceW(m, group, RT_GROUP_ICON) : nullptr;
  const auto* dir = res ? static_cast<const BYTE*>(LockResource(LoadResource(m, res))) : nullptr;
  if (dir) {
    const int count = dir[4] | dir[5] << 8;
    for (int k = 0; k < count; ++k) {
      const BYTE* entry = dir + 6 + 14 * k;  // GRPICONDIRENTRY
      sizes.insert(entry[0] == 0 ? 256 : entry[0]);
    }
  }
  FreeLibrary(m);
  return sizes;
}

struct Install {
  std::wstring dir;
  std::wstring exe() const { return dir + L"\\meridexa.exe"; }
};

std::wstring startMenuLink() { return knownFolder(FOLDERID_Programs) + L"\\Meridexa.lnk"; }
std::wstring desktopLink() { return knownFolder(FOLDERID_Desktop) + L"\\Meridexa.lnk"; }

void checkInstalled(const Install& in, bool desktop, bool autostart) {
  for (const wchar_t* f : kInstalledFiles) check(exists(in.dir + L"\\" + f), "installed: " + narrow(f));
  check(lower(shortcutTarget(startMenuLink())) == lower(in.exe()),
        "the Start-menu shortcut points at the installed program (" + narrow(shortcutTarget(startMenuLink())) + ")");
  if (desktop)
    check(lower(shortcutTarget(desktopLink())) == lower(in.exe()), "the desktop shortcut points at the program");
  else
    check(!exists(desktopLink()), "no desktop shortcut");

  const std::wstring quoted = L"\"" + in.dir + L"\\uninstall.exe\"";
  check(regText(kUninstallKey, L"DisplayName") == L"Meridexa", "DisplayName Meridexa");
  check(regText(kUninstallKey, L"DisplayVersion") == L"1.50", "DisplayVersion 1.50");
  check(regText(kUninstallKey, L"Publisher") == L"Quenholt", "Publisher Quenholt");
  check(regText(kUninstallKey, L"DisplayIcon") == in.exe(), "DisplayIcon is the program");
  check(regText(kUninstallKey, L"UninstallString") == quoted, "UninstallString is the quoted uninstaller");
  check(regText(kUninstallKey, L"QuietUninstallString") == quoted + L" /S", "QuietUninstallString adds /S");
  check(regText(kUninstallKey, L"InstallLocation") == in.dir, "InstallLocation is the folder");
  // The files take about 3 MB; the size is in KB.
  const DWORD size = regNumber(kUninstallKey, L"EstimatedSize").value_or(0);
  check(size > 1000 && size < 20000, "EstimatedSize in KB, got " + std::to_string(size));
  check(regNumber(kUninstallKey, L"NoModify") == 1u && regNumber(kUninstallKey, L"NoRepair") == 1u,
        "NoModify and NoRepair are 1");

  const auto run = regText(kRunKey, L"Meridexa");
  if (autostart)
    check(run == L"\"" + in.exe() + L"\"", "the Run entry starts the installed program");
  else
    check(!run, "no Run entry");
}

void checkRemoved(const Install& in) {
  for (const wchar_t* f : kInstalledFiles) check(!exists(in.dir + L"\\" + f), "removed: " + narrow(f));
  check(!exists(in.dir), "the install folder is gone");
  check(!exists(startMenuLink()) && !exists(desktopLink()), "the shortcuts are gone");
  check(!keyExists(kUninstallKey), "the uninstall entry is gone");
  check(!regText(kRunKey, L"Meridexa"), "the Run entry is gone");
}

// The silent uninstall as "Apps & features" runs it: the uninstaller hands over to a copy of
// itself outside the folder and ends, so the removal is awaited.
void silentUninstall(const Install& in) {
  const auto quiet = regText(kUninstallKey, L"QuietUninstallString");
  check(quiet.has_value(), "a quiet uninstall command is registered");
  const ULONGLONG start = GetTickCount64();
  const DWORD code = runToEnd(*quiet, 60000);
  check(code == 0, "the uninstaller starts its copy (exit " + std::to_string(code) + ")");
  check(waitFor([&] { return !exists(in.dir) && !keyExists(kUninstallKey); }, 60000), "the uninstall finishes");
  log("  silent uninstall: " + std::to_string(GetTickCount64() - start) + " ms");
}

// A visible dialog of any process that `test` accepts, waited for.
HWND waitAnyDialog(const std::function<bool(HWND)>& test, const std::string& what, DWORD timeoutMs = 30000) {
  struct Search {
    const std::function<bool(HWND)>* test;
    HWND found = nullptr;
  } s{&test};
  waitFor([&] {
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          wchar_t cls[16] = {};
          GetClassNameW(h, cls, 16);
          if (IsWindowVisible(h) && lstrcmpW(cls, L"#32770") == 0 && (*s->test)(h)) s->found = h;
          return !s->found;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found != nullptr;
  }, timeoutMs);
  if (!s.found) throw Failure{what + " did not appear"};
  return s.found;
}

bool isDefaultButton(HWND button) {
  return button && (GetWindowLongW(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

// A user's uninstall from "Apps & features": the confirm page's button, then the question about
// the settings, which must offer to keep them, answered with `answer`; then 閉じる.
void interactiveUninstall(const Context& ctx, const Install& in, int answer) {
  check(runToEnd(L"\"" + in.dir + L"\\uninstall.exe\"", 60000) == 0, "the uninstaller starts its copy");
  const std::string caption = "Meridexa 1.50 アンインストール";
  HWND page = waitAnyDialog(
      [&](HWND h) { return windowText(h).rfind(caption, 0) == 0 && !GetDlgItem(h, IDNO); }, "the uninstaller");
  check(waitFor([&] { return IsWindowEnabled(GetDlgItem(page, 1)) && windowText(GetDlgItem(page, 1)).find("ｱﾝｲﾝｽﾄｰﾙ") == 0; }),
        "the confirm page offers ｱﾝｲﾝｽﾄｰﾙ");
  PostMessageW(GetDlgItem(page, 1), BM_CLICK, 0, 0);
  DWORD pid = 0;
  GetWindowThreadProcessId(page, &pid);
  HWND box = waitAnyDialog(
      [&](HWND h) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        return owner == pid && GetDlgItem(h, IDYES) && GetDlgItem(h, IDNO);
      },
      "the question about the settings");
  screenshot(ctx, box, "uninstall-settings-question");
  check(isDefaultButton(GetDlgItem(box, IDNO)) && !isDefaultButton(GetDlgItem(box, IDYES)),
        "the question's default answer keeps the settings");
  PostMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
  check(waitFor([&] { return windowText(GetDlgItem(page, 1)).find("閉じる") == 0 && IsWindowEnabled(GetDlgItem(page, 1)); }),
        "the uninstaller finishes with 閉じる");
  PostMessageW(GetDlgItem(page, 1), BM_CLICK, 0, 0);
  check(waitFor([&] { return !IsWindow(page); }), "the uninstaller closes");
}

std::string hashOfFiles(const Install& in) {
  std::string all;
  for (const wchar_t* f : kInstalledFiles) all += contents(in.dir + L"\\" + f) + '\n';
  return all;
}

bool childTextContains(HWND parent, const std::string& needle) {
  struct Search {
    std::string needle;
    bool found = false;
  } s{needle};
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (windowText(h).find(s->needle) != std::string::npos) s->found = true;
        return !s->found;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// The first page a user sees, kept as a picture; the setup is then ended without installing.
void welcomePage(const Context& ctx) {
  Process setup = Process::start(kSetup);
  HWND page = waitMainWindow(setup, 30000);
  check(waitFor([&] { return windowText(page).find("セットアップ") != std::string::npos; }, 10000),
        "the setup window is titled in Japanese (" + windowText(page) + ")");
  check(waitFor([&] { return childTextContains(page, "ようこそ"); }, 10000), "the welcome page greets in Japanese");
  Sleep(1000);
  screenshot(ctx, page, "installer-welcome");
  setup.kill();
}

void installUninstall(const Context& ctx) {
  CoInitialize(nullptr);
  deleteProgramKey();
  const std::wstring setup = kSetup;
  check(iconGroupSizes(setup, nullptr) == std::multiset<int>{16, 24, 32, 48, 256},
        "the setup's icon has the program icon's five sizes");
  welcomePage(ctx);
  check(!keyExists(kUninstallKey), "the first page installs nothing");

  // An administrator's silent install, with the start with Windows asked for.
  const Install in{knownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Meridexa"};
  check(silentSetup(L"/AUTOSTART") == 0, "the silent install succeeds");
  checkInstalled(in, true, true);
  for (const wchar_t* group : {MAKEINTRESOURCEW(128), MAKEINTRESOURCEW(129)})
    check(iconGroupSizes(in.exe(), group) == std::multiset<int>{16, 24, 32, 48, 256},
          "icon " + std::to_string(reinterpret_cast<uintptr_t>(group)) + " has 16, 24, 32, 48 and 256 pixel images");
  check(iconGroupSizes(in.dir + L"\\uninstall.exe", nullptr) == std::multiset<int>{16, 24, 32, 48, 256},
        "the uninstaller shows the same icon");

  // The program starts from its shortcut.
  Process program = Process::start(shortcutTarget(startMenuLink()));
  HWND main = waitMainWindow(program);
  check(waitFor([&] { return windowText(main) == kPlainTitle; }, 10000), "the installed program shows its window");
  Sleep(2000);
  screenshot(ctx, main, "installed-program");

  // A second silent install over the running copy leaves it and its files alone.
  const std::string before = hashOfFiles(in);
  check(silentSetup(L"") == kExitRunning, "the install over the running copy stops with exit code 2");
  check(program.running() && IsWindow(main) && windowText(main) == kPlainTitle, "the running copy keeps running");
  check(hashOfFiles(in) == before, "the installed files are unchanged");
  checkInstalled(in, true, true);
  // So does the uninstaller (run in place, _?=, so that its own exit code is seen).
  check(runToEnd(L"\"" + in.dir + L"\\uninstall.exe\" /S _?=" + in.dir, 60000) == kExitRunning,
        "the uninstall of the running copy stops with exit code 2");
  check(hashOfFiles(in) == before && keyExists(kUninstallKey), "the uninstall removed nothing while it runs");

  PostMessageW(main, WM_COMMAND, MAKEWPARAM(1, 0), 0);  // 終了: the settings are saved
  check(program.waitExit(15000), "the program ends");
  const auto settings = readProgramKey();
  check(settings.size() == 10, "the program saved its settings");

  // Installing over the earlier install keeps the settings and applies the new choices.
  check(silentSetup(L"/NODESKTOP") == 0, "the install over the earlier one succeeds");
  checkInstalled(in, false, false);
  check(readProgramKey().size() == settings.size() &&
            readProgramKey().at("AREA1").at("COUNTRY").text == settings.at("AREA1").at("COUNTRY").text,
        "the settings survive the new install");

  silentUninstall(in);
  checkRemoved(in);
  check(readProgramKey().size() == settings.size(), "the silent uninstall keeps the settings");

  // /D= chooses the folder; a user who uninstalls and answers はい loses the settings too.
  const Install other{L"C:\\Tools\\Meridexa"};
  check(silentSetup(L"/D=" + other.dir) == 0, "the silent install into C:\\Tools\\Meridexa succeeds");
  checkInstalled(other, true, false);
  interactiveUninstall(ctx, other, IDYES);
  checkRemoved(other);
  check(!programKeyExists() && !keyExists(L"Software\\Quenholt"), "answering はい deletes the settings");
  CoUninitialize();
}

Register r1("release.install_uninstall", installUninstall);

}  // namespace
}  // namespace e2e
