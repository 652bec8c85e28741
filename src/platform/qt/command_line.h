// Command lines as Windows programs are started with them, taken apart into a program
// and its arguments for a system that starts programs by argument vector.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qtb {

struct CommandLine {
    std::string program;
    std::vector<std::string> arguments;
};

// The program is the text up to the first blank, or within leading quotes. An unquoted
// program whose path holds blanks is found as Windows finds it: the shortest prefix,
// ending at a blank, that names an existing program (isProgram) wins. The arguments
// follow the C runtime's rules: blanks separate, quotes group, a backslash escapes a
// quote only when it stands right before it, and "" inside quotes is one quote.
CommandLine SplitCommandLine(const std::string& line,
                             const std::function<bool(const std::string&)>& isProgram);

}  // namespace qtb
