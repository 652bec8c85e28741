#include "platform/qt/pulse_volume.h"

#include <pulse/introspect.h>
#include <pulse/subscribe.h>

#include "platform/qt/pulse_levels.h"

namespace qtb {

namespace {

using Clock = std::chrono::steady_clock;

// Time the first question waits for the first connection; a local server answers
// within milliseconds, a missing one fails at once.
constexpr auto kFirstConnection = std::chrono::milliseconds(300);
// The floating window asks once a second: one new connection per poll at most.
constexpr auto kRetryEvery = std::chrono::milliseconds(900);
// A server that takes the connection and never answers is given up on.
constexpr auto kGiveUpAfter = std::chrono::seconds(5);

PulseVolume* Of(void* self) {
    return static_cast<PulseVolume*>(self);
}

}  // namespace

PulseVolume::PulseVolume() {
    loop_ = pa_threaded_mainloop_new();
    if (!loop_) return;
    pa_threaded_mainloop_set_name(loop_, "zelvora-pulse");
    if (pa_threaded_mainloop_start(loop_) < 0) {
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
        return;
    }
    Connect();
}

PulseVolume::~PulseVolume() {
    if (!loop_) return;
    pa_threaded_mainloop_stop(loop_);
    DropContext();  // the client thread has ended: no lock to take
    pa_threaded_mainloop_free(loop_);
}

std::optional<DefaultSink> PulseVolume::Sink() {
    if (!loop_) return std::nullopt;
    std::unique_lock lock(mutex_);
    if (!firstSettled_) {
        settled_.wait_for(lock, kFirstConnection, [this] { return firstSettled_; });
        firstSettled_ = true;
    }
    const auto since = Clock::now() - lastAttempt_;
    if ((link_ == Link::down && since >= kRetryEvery) ||
        (link_ == Link::connecting && since >= kGiveUpAfter)) {
        lock.unlock();
        Connect();
        lock.lock();
    }
    return link_ == Link::up ? sink_ : std::nullopt;
}

PulseVolume::SetResult PulseVolume::SetLevels(std::uint32_t word) {
    std::string name;
    pa_cvolume volume;
    {
        std::lock_guard lock(mutex_);
        if (link_ != Link::up || !sink_) return SetResult::noSink;
        volume = SinkVolumeOf(word, sink_->channels);
        // The next poll reads what was set, not the level from before it.
        sink_->volume = volume;
        name = sink_->name;
    }
    pa_threaded_mainloop_lock(loop_);
    pa_operation* op = context_ ? pa_context_set_sink_volume_by_name(context_, name.c_str(),
                                                                     &volume, &OnSetDone, this)
                                : nullptr;
    if (op) {
        ++setsInFlight_;
        pa_operation_unref(op);
    }
    pa_threaded_mainloop_unlock(loop_);
    return op ? SetResult::sent : SetResult::refused;
}

void PulseVolume::Connect() {
    pa_threaded_mainloop_lock(loop_);
    DropContext();
    {
        std::lock_guard lock(mutex_);
        link_ = Link::connecting;
        sink_.reset();
        lastAttempt_ = Clock::now();
    }
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Zelvora");
    if (context_) {
        pa_context_set_state_callback(context_, &OnState, this);
        pa_context_set_subscribe_callback(context_, &OnEvent, this);
    }
    // Never start a server of our own: no server is the answer "no device".
    if (!context_ || pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        Settle(Link::down, std::nullopt);
    pa_threaded_mainloop_unlock(loop_);
}

// Callbacks still on their way for the old context find it is no longer ours.
void PulseVolume::DropContext() {
    pa_context* old = context_;
    context_ = nullptr;
    querying_ = requery_ = false;
    setsInFlight_ = 0;
    reading_.reset();
    if (!old) return;
    pa_context_set_state_callback(old, nullptr, nullptr);
    pa_context_set_subscribe_callback(old, nullptr, nullptr);
    pa_context_disconnect(old);
    pa_context_unref(old);
}

// Asks for the default sink; while an answer is on its way, once more after it, so
// that a burst of events costs two queries.
void PulseVolume::Query() {
    if (querying_) {
        requery_ = true;
        return;
    }
    pa_operation* op =
        pa_context_get_sink_info_by_name(context_, "@DEFAULT_SINK@", &OnSinkInfo, this);
    if (!op) return;  // the context is going down, and its state will say so
    querying_ = true;
    requery_ = false;
    reading_.reset();
    pa_operation_unref(op);
}

void PulseVolume::Settle(Link link, std::optional<DefaultSink> sink) {
    {
        std::lock_guard lock(mutex_);
        link_ = link;
        sink_ = std::move(sink);
        if (link != Link::connecting) firstSettled_ = true;
    }
    settled_.notify_all();
}

void PulseVolume::OnState(pa_context* context, void* self) {
    PulseVolume* me = Of(self);
    if (context != me->context_) return;
    switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY: {
            const auto mask = static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SINK |
                                                                  PA_SUBSCRIPTION_MASK_SERVER);
            if (pa_operation* op = pa_context_subscribe(context, mask, nullptr, nullptr))
                pa_operation_unref(op);
            me->Query();
            break;
        }
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            me->querying_ = me->requery_ = false;
            me->Settle(Link::down, std::nullopt);
            break;
        default:
            break;
    }
}

// A sink changed (its level, a new or a removed one) or the server did (another
// default sink): the default sink is asked for again.
void PulseVolume::OnEvent(pa_context* context, pa_subscription_event_type_t event, std::uint32_t,
                          void* self) {
    PulseVolume* me = Of(self);
    if (context != me->context_) return;
    const auto facility = event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    if (facility == PA_SUBSCRIPTION_EVENT_SINK || facility == PA_SUBSCRIPTION_EVENT_SERVER)
        me->Query();
}

void PulseVolume::OnSinkInfo(pa_context* context, const pa_sink_info* info, int eol, void* self) {
    PulseVolume* me = Of(self);
    if (context != me->context_) return;
    if (info) {
        me->reading_ =
            DefaultSink{info->name ? info->name : "", info->description ? info->description : "",
                        info->channel_map, info->volume};
        return;
    }
    me->querying_ = false;
    if (me->requery_) return me->Query();
    // Levels set since the question was asked are newer than its answer; the last
    // set's completion asks again.
    if (me->setsInFlight_ > 0) return;
    // eol < 0: no default sink (a server without sinks), which is no device.
    me->Settle(Link::up, eol > 0 ? me->reading_ : std::nullopt);
}

void PulseVolume::OnSetDone(pa_context* context, int, void* self) {
    PulseVolume* me = Of(self);
    if (context != me->context_) return;
    if (--me->setsInFlight_ == 0) me->Query();
}

}  // namespace qtb
