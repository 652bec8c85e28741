// The help viewer where WinHelp cannot serve: the help file's HTML page, opened in the
// web browser at the topic's anchor. What every backend needs of it.
#pragma once

#include <optional>
#include <string>

namespace plat {

// The page that stands for a help file: its name with ".html", in dir (which ends in
// its separator) when the name has no directory of its own.
std::string HelpPageFor(const std::string& helpFile, const std::string& dir);
// "file:///C:/dir/zelvora.html#topic" or "file:///home/dir/zelvora.html#topic", with
// what a URL cannot carry escaped.
std::string HelpPageUrl(const std::string& page, const std::string& topic);
// The topic of a JumpID("file","topic") macro; none for any other macro.
std::optional<std::string> JumpTopic(const std::string& macro);

}  // namespace plat
