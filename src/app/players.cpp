#include "app/players.h"

#include <cctype>
#include <vector>

#include "gui/fileutil.h"
#include "platform/paths.h"
#include "platform/platform.h"

namespace {

constexpr auto kWindows = TPlayerSystem::Windows, kLinux = TPlayerSystem::Linux;

// Players that hand a second address to their running copy are started with it
// plainly; VLC does so only when asked. mpv always starts anew and, playing audio,
// shows no window unless told to: on Windows, without one it could be neither raised
// nor closed; on Linux it is stopped through its MPRIS interface and needs none.
// The Linux lines come in the order they are preferred when none is configured.
// mpv and VLC read "--" as the end of their options, on both systems; Audacious
// takes it for an unknown option and refuses to start. VLC without its graphical
// interface (vlc-bin alone) would fall back to its command-line one, which reads
// the end of its empty input and quits at once: it falls back to none instead.
// Debian's cvlc runs VLC without an interface.
// Reconnecting: VLC's HTTP access has it as an option; mpv plays HTTP through FFmpeg,
// whose own reconnect also takes up a live stream that ended (at_eof) and one that
// cannot be sought (streamed). The captions are the players' own: VLC's and mpv's
// "<title> - VLC media player" and "<title> - mpv", foobar2000's "<title>  [foobar2000]"
// (older ones carry their version inside the brackets), Winamp's "<n>. <title> -
// Winamp" (" [Stopped]" and the like after it), MPC-HC's, MPC-BE's and AIMP's the
// title alone.
constexpr const char* kVlcReconnect = "--http-reconnect";
constexpr const char* kMpvReconnect =
    "--stream-lavf-o=reconnect=1,reconnect_at_eof=1,reconnect_streamed=1,"
    "reconnect_delay_max=5";
constexpr TPlayerKind kPlayers[] = {
    {"vlc.exe", "--one-instance", true, true, kWindows, kVlcReconnect, false,
     "!VLC media player|%t - VLC media player"},
    {"mpc-hc64.exe", "", true, false, kWindows, "", false,
     "!MPC-HC|!Media Player Classic Home Cinema|%t"},
    {"mpc-hc.exe", "", true, false, kWindows, "", false,
     "!MPC-HC|!Media Player Classic Home Cinema|%t"},
    {"mpc-be64.exe", "", true, false, kWindows, "", false, "!MPC-BE|!MPC-BE x64|%t"},
    {"foobar2000.exe", "", true, false, kWindows, "", false,
     "!foobar2000*|%t  [foobar2000*|%t [foobar2000*"},
    {"winamp.exe", "", true, false, kWindows, "", false, "!Winamp*|%n. %t - Winamp*"},
    {"aimp.exe", "", true, false, kWindows, "", false, "!AIMP*|%t"},
    {"mpv.exe", "--force-window=yes", false, true, kWindows, kMpvReconnect, true,
     "!No file - mpv|!mpv|%t - mpv"},
    {"mpv", "", false, true, kLinux, kMpvReconnect, true},
    {"vlc", "--one-instance --intf=qt,dummy", true, true, kLinux, kVlcReconnect},
    {"audacious", "", true, false, kLinux},
    {"cvlc", "", false, true, kLinux, kVlcReconnect},
};
constexpr TPlayerKind kUnknownPlayer{"", "", false, false, kWindows};

bool SameName(const std::string& a, const char* b) {
    std::string folded;
    for (char c : a) folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded == b;
}

// ---- Where players are installed --------------------------------------------------

const plat::HKEY HKCU = plat::HKEY_CURRENT_USER, HKLM = plat::HKEY_LOCAL_MACHINE;

struct RegistryPlace {
    plat::HKEY root;
    const char* key;
    const char* value;   // "" for the key's default value
    const char* inside;  // the program file below the folder the value names; null when
                         // the value names the program file itself
};

// In order of preference: the players most people have first.
const RegistryPlace kRegistryPlaces[] = {
    {HKLM, "SOFTWARE\\VideoLAN\\VLC", "", nullptr},
    {HKLM, "SOFTWARE\\VideoLAN\\VLC", "InstallDir", "vlc.exe"},
    {HKCU, "Software\\MPC-HC\\MPC-HC", "ExePath", nullptr},
    {HKLM, "SOFTWARE\\MPC-BE", "ExePath", nullptr},
    {HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\foobar2000", "InstallLocation",
     "foobar2000.exe"},
    {HKCU, "Software\\Winamp", "", "winamp.exe"},
};
const char* const kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char* const kProgramFolders[] = {"ProgramW6432", "ProgramFiles", "ProgramFiles(x86)"};
const char* const kInProgramFolder[] = {"VideoLAN\\VLC\\vlc.exe", "MPC-HC\\mpc-hc64.exe",
                                        "MPC-HC\\mpc-hc.exe"};
const char* const kOnPath[] = {"mpv.exe"};

// A path is never longer than this; a longer value is no path and is not read.
constexpr plat::DWORD kMaxValueSize = 32 * 1024;

std::optional<std::string> ReadRegistryText(plat::HKEY root, const std::string& key,
                                            const char* value, plat::DWORD view) {
    auto& p = plat::Current();
    plat::HKEY handle = 0;
    if (p.RegOpenKeyExA(root, key.c_str(), 0, plat::KEY_QUERY_VALUE | view, &handle) != 0)
        return std::nullopt;
    plat::DWORD type = 0, size = 0;
    std::vector<std::uint8_t> data;
    bool ok = p.RegQueryValueExA(handle, value, &type, nullptr, &size) == 0 &&
              (type == plat::REG_SZ || type == plat::REG_EXPAND_SZ) && size <= kMaxValueSize;
    if (ok) {
        data.resize(size);
        ok = p.RegQueryValueExA(handle, value, &type, data.data(), &size) == 0;
    }
    p.RegCloseKey(handle);
    if (!ok) return std::nullopt;
    std::string text(data.begin(), data.begin() + std::min<std::size_t>(size, data.size()));
    return text.substr(0, text.find('\0'));
}

// "%ProgramFiles%\VLC" with the variables the environment has; others stay as written.
std::string Expanded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        auto end = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
        auto value = end == std::string::npos
                         ? std::nullopt
                         : plat::Current().GetEnvironmentVariableA(text.substr(i + 1, end - i - 1));
        if (value) {
            out += *value;
            i = end + 1;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// A registry value as a program file: unquoted, expanded, below its folder when it
// names one; nothing when no such file exists.
std::optional<std::string> ProgramAt(std::string value, const char* inside) {
    if (value.size() >= 2 && value.front() == '"') value = value.substr(1, value.find('"', 1) - 1);
    value = Expanded(value);
    if (value.empty()) return std::nullopt;
    if (inside) value = plat::JoinPath(value, inside);
    return FileExists(value) ? std::optional(value) : std::nullopt;
}

std::optional<std::string> FromRegistry(plat::HKEY root, const std::string& key, const char* value,
                                        const char* inside) {
    // The machine's keys come in two views on 64-bit Windows: a 64-bit player's are
    // seen by this 32-bit program only when it asks for them.
    for (plat::DWORD view : {plat::KEY_WOW64_64KEY, plat::KEY_WOW64_32KEY}) {
        if (auto text = ReadRegistryText(root, key, value, view))
            if (auto found = ProgramAt(*text, inside)) return found;
        if (root != HKLM) break;
    }
    return std::nullopt;
}

std::optional<std::string> InFolders(const std::string& folders, const char* file) {
    const char separator = plat::Current().PathListSeparator();
    for (std::size_t start = 0; start <= folders.size();) {
        auto end = folders.find(separator, start);
        if (end == std::string::npos) end = folders.size();
        if (auto found = ProgramAt(folders.substr(start, end - start), file)) return found;
        start = end + 1;
    }
    return std::nullopt;
}

bool OnLinux() {
    return plat::Current().PathListSeparator() == ':';
}

// Linux has no registry of installed programs: its players are on PATH.
std::optional<std::string> FindLinuxPlayer() {
    auto path = plat::Current().GetEnvironmentVariableA("PATH");
    if (!path) return std::nullopt;
    for (const auto& kind : kPlayers)
        if (kind.system == kLinux)
            if (auto found = InFolders(*path, kind.file)) return found;
    return std::nullopt;
}

}  // namespace

const TPlayerKind& PlayerKindOf(const std::string& programFile) {
    const std::string name = plat::ExtractFileName(programFile);
    for (const auto& kind : kPlayers)
        if (SameName(name, kind.file)) return kind;
    return kUnknownPlayer;
}

plat::CommandLine PlayerCommand(const std::string& location) {
    plat::CommandLine line{PlayerProgramFile(location), {}};
    std::size_t rest = line.program.size();
    if (location.starts_with('"')) rest = std::min(location.size(), line.program.size() + 2);
    line.arguments = plat::SplitArguments(location.substr(rest));
    return line;
}

std::string PlayerProgramFile(const std::string& location) {
    if (location.starts_with('"')) return location.substr(1, location.find('"', 1) - 1);
    if (location.empty() || FileExists(location)) return location;
    for (auto blank = location.find(' '); blank != std::string::npos;
         blank = location.find(' ', blank + 1))
        if (FileExists(location.substr(0, blank))) return location.substr(0, blank);
    return location;
}

std::optional<std::string> FindInstalledPlayer() {
    if (OnLinux()) return FindLinuxPlayer();
    for (const auto& place : kRegistryPlaces)
        if (auto found = FromRegistry(place.root, place.key, place.value, place.inside))
            return found;
    for (const auto& kind : kPlayers) {
        if (kind.system != kWindows) continue;
        for (plat::HKEY root : {HKLM, HKCU})
            if (auto found = FromRegistry(root, std::string(kAppPaths) + kind.file, "", nullptr))
                return found;
    }
    auto& p = plat::Current();
    for (const char* variable : kProgramFolders)
        if (auto folder = p.GetEnvironmentVariableA(variable))
            for (const char* inside : kInProgramFolder)
                if (auto found = ProgramAt(*folder, inside)) return found;
    if (auto path = p.GetEnvironmentVariableA("PATH"))
        for (const char* file : kOnPath)
            if (auto found = InFolders(*path, file)) return found;
    return std::nullopt;
}

std::string FallbackPlayerLocation(const std::string& windowsDefault) {
    if (!OnLinux()) return windowsDefault;
    for (const auto& kind : kPlayers)
        if (kind.system == kLinux) return kind.file;
    return windowsDefault;
}
