#include "shared/recorder.h"

using plat::Message;
using plat::UINT;

bool Recorder::WndProc(Message& m) {
    got.push_back(m);
    if (m.msg == plat::ZM_TEXT) texts.emplace_back(reinterpret_cast<const char*>(m.lParam));
    if (m.msg >= plat::ZM_FIRST && m.msg < plat::ZM_LAST) return true;
    m.result = answer;
    return answer != 0;
}

int Recorder::Count(UINT msg) const {
    int n = 0;
    for (const Message& m : got) n += m.msg == msg;
    return n;
}

const Message* Recorder::Last(UINT msg) const {
    for (auto it = got.rbegin(); it != got.rend(); ++it)
        if (it->msg == msg) return &*it;
    return nullptr;
}

int Recorder::IndexOf(UINT msg) const {
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i].msg == msg) return static_cast<int>(i);
    return -1;
}
