// What players send: the lines of mpv's IPC channel, in any pieces, and the captions
// of their windows. A title is never longer than its limit, a channel never keeps
// more than a line's limit, and a caption's title is a part of the caption.
#include <string>

#include "app/mpvchannel.h"
#include "app/players.h"
#include "harness.h"
#include "platform/headless/headless.h"

namespace {

const char* const kPatterns[] = {"vlc.exe", "foobar2000.exe", "winamp.exe", "mpc-hc.exe",
                                 "mpv.exe"};

void Channel(std::string_view bytes) {
    fuzz::FreshPlatform platform;
    auto& h = static_cast<plat::headless::HeadlessPlatform&>(plat::Current());
    TMpvChannel channel(TMpvChannel::NewAddress());
    const std::string address = channel.Option().substr(channel.Option().find('=') + 1);
    h.playerChannels[address].listening = true;
    // The bytes in two pieces, read at two pumps, as they may arrive.
    const std::size_t half = bytes.size() / 2;
    h.playerChannels[address].toRead = std::string(bytes.substr(0, half));
    channel.Pump();
    h.playerChannels[address].toRead += std::string(bytes.substr(half));
    channel.Pump();
    if (auto title = channel.Title())
        fuzz::Check(title->size() <= 1024, "a title within its limit");
}

void Captions(std::string_view bytes) {
    const std::string caption(bytes);
    for (const char* player : kPatterns) {
        auto title = TitleFromCaption(PlayerKindOf(player).caption, caption);
        if (title && !title->empty())
            fuzz::Check(caption.find(*title) != std::string::npos, "a title from the caption");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Channel(bytes);
    Captions(bytes);
    return 0;
}
