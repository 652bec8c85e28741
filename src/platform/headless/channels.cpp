// Players' control channels in memory, the players' captions and playback, and the
// clipboard.
#include "platform/headless/state.h"

namespace plat::headless {

namespace {

const std::string kOption = "--input-ipc-server=";

}  // namespace

std::string HeadlessPlatform::NewPlayerChannelAddress(const std::string& prefix) {
    const std::string address =
        "\\\\.\\pipe\\" + prefix + "-" + std::to_string(++channelAddresses_);
    Record(log, "NewPlayerChannelAddress", prefix);
    return address;
}

void HeadlessPlatform::ListenForPlayer(DWORD process, const std::vector<std::string>& arguments) {
    for (const auto& argument : arguments)
        if (argument.starts_with(kOption)) {
            PlayerChannel& channel = playerChannels[argument.substr(kOption.size())];
            channel.process = process;
            channel.listening = true;
        }
}

std::string HeadlessPlatform::ChannelOf(DWORD processId) const {
    for (const auto& [address, channel] : playerChannels)
        if (channel.process == processId) return address;
    return {};
}

void HeadlessPlatform::TellOnChannel(const std::string& address, const std::string& line) {
    playerChannels[address].toRead += line + "\n";
    if (nowPlayingWindow) PostMessageA(nowPlayingWindow, nowPlayingMessage, 0, 0);
}

PlayerChannel* HeadlessPlatform::ChannelAt(CHANNEL channel) {
    auto it = channelHandles_.find(channel);
    return it == channelHandles_.end() ? nullptr : &playerChannels[it->second];
}

CHANNEL HeadlessPlatform::ConnectPlayerChannel(const std::string& address) {
    Record(log, "ConnectPlayerChannel", address);
    auto it = playerChannels.find(address);
    if (it == playerChannels.end() || !it->second.listening || it->second.closed) return 0;
    it->second.connected = true;
    channelHandles_[nextChannel_] = address;
    return nextChannel_++;
}

// A player told to quit ends, and its channel with it.
BOOL HeadlessPlatform::WritePlayerChannel(CHANNEL channel, const std::string& bytes) {
    Record(log, "WritePlayerChannel", channel, bytes);
    PlayerChannel* c = ChannelAt(channel);
    if (!c || c->closed) return 0;
    c->written += bytes;
    if (bytes.find("[\"quit\"]") != std::string::npos) {
        for (auto& p : processes)
            if (p.id == c->process) p.running = false;
        c->closed = true;
    }
    return 1;
}

BOOL HeadlessPlatform::ReadPlayerChannel(CHANNEL channel, std::string& into, std::size_t maxBytes) {
    PlayerChannel* c = ChannelAt(channel);
    if (!c) return 0;
    const std::size_t n = std::min(maxBytes, c->toRead.size());
    into.append(c->toRead, 0, n);
    c->toRead.erase(0, n);
    for (const auto& p : processes)
        if (p.id == c->process && !p.running) c->closed = true;
    return c->closed && c->toRead.empty() ? 0 : 1;
}

void HeadlessPlatform::ClosePlayerChannel(CHANNEL channel) {
    Record(log, "ClosePlayerChannel", channel);
    if (PlayerChannel* c = ChannelAt(channel)) c->connected = false;
    channelHandles_.erase(channel);
}

std::optional<std::string> HeadlessPlatform::ProcessWindowCaption(PROCESS process) {
    for (const auto& p : processes)
        if (p.id == static_cast<DWORD>(process) && p.running)
            for (const auto& w : p.windows)
                if (w.visible) return w.title;
    return std::nullopt;
}

std::string HeadlessPlatform::PlaybackStatus(PROCESS process) {
    auto it = playbackStatus.find(static_cast<DWORD>(process));
    return it == playbackStatus.end() ? std::string() : it->second;
}

BOOL HeadlessPlatform::SetClipboardText(HWND owner, const std::string& text) {
    Record(log, "SetClipboardText", owner, text);
    if (clipboardResult) clipboard = text;
    return clipboardResult;
}

}  // namespace plat::headless
