// The help viewer where WinHelp cannot serve: the help file's HTML page, opened in
// the web browser at the topic's anchor.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/help_page.h"
#include "platform/types.h"

namespace plat::win32 {

// How the page reaches the shell: ShellExecuteA's file and parameters with the
// "open" action; an answer above 32 is success.
using HelpShellOpen =
    std::function<plat::LRESULT(const std::string& file, const std::string& parameters)>;
// Replaces the shell for the help pages (tests watch it); an empty one restores it.
void SetHelpShellOpen(HelpShellOpen open);

// The page that stands for a help file, beside the program when the name has no
// directory.
std::string HelpPageFor(const std::string& helpFile);
using plat::HelpPageUrl;
using plat::JumpTopic;

}  // namespace plat::win32
