// The whole program in the test process, on the Linux backend: started as the main
// program starts it, with its files in the test's own XDG folders.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "qt/qt_fixture.h"

class QtProgram : public QtTest {
  protected:
    void TearDown() override;

    // The program's start, up to its message loop; the about box counts as seen, and
    // the player is the tests' own.
    void Start();
    // Ends this run without saving, as the end of the session would, and starts again.
    void Restart();

    std::string ConfigDir() const { return Home() + "/.config/zelvora"; }
    std::string DataDir() const { return Home() + "/.local/share/zelvora"; }
    std::string Player() const;
    void WriteFile(const std::string& path, const std::string& bytes);
    std::string ReadFile(const std::string& path);
    void WriteSettings(const std::string& ini) { WriteFile(ConfigDir() + "/zelvora.ini", ini); }
    // Station files and the order file as the Windows program writes them, names in its
    // code page.
    void SeedWindowsStations(const std::vector<std::pair<std::string, std::string>>& stations);
};
