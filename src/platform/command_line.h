// Command lines as Windows programs get them: one string that the program's C runtime
// (or CommandLineToArgvW) takes apart into its arguments. Made here from a program
// and its arguments, so that each argument reaches the program as exactly one, and
// taken apart here for systems that start programs by argument vector.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace plat {

struct CommandLine {
    std::string program;
    std::vector<std::string> arguments;
};

// The argument as it must stand on a command line to be read back as itself: as it
// is when it holds no blank, tab, line break or quote and is not empty; otherwise in
// quotes, a quote inside as \", and the backslashes before a quote or the closing
// quote doubled.
std::string QuoteArgument(const std::string& argument);

// The program (quoted when it holds a blank) and each argument quoted as above,
// separated by one blank.
std::string JoinCommandLine(const CommandLine& line);

// The program is the text up to the first blank, or within leading quotes. An unquoted
// program whose path holds blanks is found as Windows finds it: the shortest prefix,
// ending at a blank, that names an existing program (isProgram) wins. The arguments
// follow the C runtime's rules: blanks separate, quotes group, a backslash escapes a
// quote only when it stands right before it, and "" inside quotes is one quote.
CommandLine SplitCommandLine(const std::string& line,
                             const std::function<bool(const std::string&)>& isProgram);

// The arguments alone, by the same rules.
std::vector<std::string> SplitArguments(const std::string& text);

// ---- The Linux program's own command line ----------------------------------------

// What the Linux program is asked for by its arguments: to run (arguments that are no
// options are passed over, as the program takes none), to print its usage or its
// version and end, or an option it does not know, which is named.
struct ProgramRequest {
    enum Kind { Run, Help, Version, Unknown } kind = Run;
    std::string option;  // the unknown option
};

// The arguments after the program's name. --help (-h) and --version come first
// wherever they stand; the toolkit's own options are passed over with their values:
// each of toolkitOptions is a name with one dash ("-style"), written "-style NAME",
// "--style NAME" or "-style=NAME" when it ends in '=' in the list ("-style="), and
// alone otherwise ("-reverse").
ProgramRequest ReadProgramArguments(const std::vector<std::string>& arguments,
                                    const std::vector<std::string>& toolkitOptions);

// The usage text (--help), and its first line alone, for an unknown option. Each ends
// in a line break.
std::string ProgramUsage(const std::string& name, const std::string& version);
std::string ProgramUsageLine(const std::string& name);

}  // namespace plat
