// A reader of the rich text that the introduction uses (paragraphs and their alignment,
// bold, italic, underline, sizes, colours and faces), which gives HTML for a text
// widget to show. It reads what it is given once, allocates in step with it, and keeps
// to a fixed depth of groups.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qtb {

// The face to show for a face named in the text ("Arial" -> the desktop's sans font).
using FaceMap = std::function<std::string(const std::string& face)>;

// None when the text is not rich text: it does not begin with "{\rtf", or its groups
// nest deeper than any document does. Bytes above 127 are Windows-1252, as the
// Windows program writes them.
std::optional<std::string> RtfToHtml(std::string_view rtf, const FaceMap& faces);

// Groups nested deeper than this make the text invalid.
inline constexpr int kMaxRtfDepth = 100;

}  // namespace qtb
