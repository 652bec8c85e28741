// Starts the whole program on the headless platform as the main program does, and
// lets a test exit it, restart it and look at the files it left.
#pragma once

#include <string>
#include <vector>

#include "support/gui_fixture.h"

class AppTest : public GuiTest {
  protected:
    // Gives the user a Desktop, Start Menu and Startup folder, named in the registry
    // as the shell does, each a fresh directory of the test's own.
    void SetUp() override;

    // The program's start, up to its message loop.
    void Start();
    // Exit as the user chooses it; true when the process ended.
    bool Exit();
    // Ends this run as the end of the Windows session would (nothing saved) and
    // starts the program again on the same files.
    void Restart();

    std::string ProgramDir();
    std::string SettingsDir();
    std::string SettingsFile();  // zelvora.ini in the Windows directory
    std::string OrderFile();
    // A user folder by its registry value name: "Desktop", "Start Menu" or "Startup".
    std::string UserFolder(const std::string& valueName);
    // The program's link in that folder.
    std::string LinkFile(const std::string& valueName);
    std::string ReadText(const std::string& path);
    void WriteText(const std::string& path, const std::string& text);
    void WriteSettings(const std::string& ini) { WriteText(SettingsFile(), ini); }
    // Station files and the order file, as a previous run would have left them.
    void SeedStations(const std::vector<std::pair<std::string, std::string>>& stations);

    // The texts of the message boxes shown so far.
    std::vector<std::string> MessageTexts();
};
