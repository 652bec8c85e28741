// The station files: one small file per station in the settings directory, named
// after the station, holding the station's URL on its first line.
#pragma once

#include <optional>
#include <string>

// The station name with every blank, full stop, slash and backslash replaced by an
// underscore: "Jazz FM 1.0" -> "Jazz_FM_1_0"; so is every character Windows refuses
// in a file name (control characters and < > : " | ? *), so that a name may hold
// them ("News: Live?") and its file is the same on every system. Different names can
// share one file.
std::string StationFileName(const std::string& name);

// Whether a file name means a file of that name on every system the program runs
// on. Windows refuses control characters and < > : " | ? *, and makes something else
// of some names: "a:b" is a stream of the file "a" on NTFS, "NUL" or "COM1" a device.
bool UsableFileName(const std::string& file);

class TStationStore {
public:
    explicit TStationStore(std::string settingsDir) : settingsDir_(std::move(settingsDir)) {}

    const std::string& SettingsDir() const { return settingsDir_; }
    std::string PathOf(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Whether the settings directory holds any station file at all.
    bool Empty() const;

    // The first line: the bytes up to the first carriage return, Ctrl-Z or the end
    // of the file (a bare line feed does not end it). Nothing when there is no file;
    // EInOutError when it exists but cannot be read.
    std::optional<std::string> ReadURL(const std::string& name) const;

    // Creates or replaces the file with the URL and CR LF; EInOutError on failure,
    // in which case the previous file, if any, is left as it was. A name whose file
    // name is a device's ("NUL", "COM1") is refused first, as the system refuses an
    // invalid name (123), whatever this file system would make of it.
    void Write(const std::string& name, const std::string& url) const;

    // Deletes the file when it exists; a failure is not reported.
    void Delete(const std::string& name) const;

private:
    std::string settingsDir_;
};
