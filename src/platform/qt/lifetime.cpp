#include "platform/qt/lifetime.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

#include "platform/paths.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/startup_trace.h"

namespace qtb {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Where the signal handler writes; -1 while no pipe is open.
volatile std::sig_atomic_t signalPipe = -1;

// Only what a signal handler may do: one write, errno kept for the code it interrupted.
extern "C" void OnEndSignal(int signo) {
    const int saved = errno;
    const unsigned char which = static_cast<unsigned char>(signo);
    if (signalPipe >= 0) {
        [[maybe_unused]] const auto written = ::write(signalPipe, &which, 1);
    }
    errno = saved;
}

// The socket lies in the user's runtime folder (only theirs to read), else in the
// temporary folder with the user's number in its name; the name is made from the data
// folder, so that two users, or two data folders, never meet.
QString ServerPath(const std::string& dataDir) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const std::string user = std::to_string(::getuid());
    const std::string name = plat::InstanceName(user + ":" + dataDir, false);
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists())
        return QString::fromLocal8Bit(runtime) + "/" + QString::fromStdString(name);
    return QDir::tempPath() + "/" + QString::fromStdString(name + "-" + user);
}

}  // namespace

Lifetime::Lifetime(WindowTable& windows) : windows_(windows) {}

Lifetime::~Lifetime() {
    WatchSessionEnd(0, 0);
}

// A Wayland desktop lets a window come to the front only with a token from whoever
// started the program, which a later start carries in its environment: it hands it to
// the running copy, whose next raise of a window spends it (Qt's Wayland platform takes
// it from the same variable).
namespace {

constexpr char kTokenVariable[] = "XDG_ACTIVATION_TOKEN";
constexpr qint64 kMaxRequest = 512;

bool IsToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kMaxRequest - 8) return false;
    for (char c : token)
        if (c <= ' ' || c > '~') return false;
    return true;
}

QByteArray ForwardedToken() {
    const QByteArray token = qgetenv(kTokenVariable);
    return IsToken(token) ? " " + token : QByteArray();
}

void TakeActivationToken(const QByteArray& request) {
    const QByteArray line = request.left(request.indexOf('\n'));
    if (!line.startsWith("show ")) return;
    const QByteArray token = line.mid(5);
    if (IsToken(token)) qputenv(kTokenVariable, token);
}

}  // namespace

// A copy that answers holds the claim: it is told by the connection itself. No answer
// means none runs (a socket left by a copy that was killed is cleared). The lock keeps
// two starts at the same moment from both finding none.
bool Lifetime::Claim(const std::string& dataDir) {
    if (server_) return true;
    const QString path = ServerPath(dataDir);
    QLockFile lock(path + ".lock");
    lock.tryLock(3000);
    QLocalSocket running;
    running.connectToServer(path);
    if (running.waitForConnected(2000)) {
        running.write("show" + ForwardedToken() + "\n");
        running.waitForBytesWritten(2000);
        running.disconnectFromServer();
        return false;
    }
    QLocalServer::removeServer(path);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // A server that cannot listen leaves this copy running without the claim.
    if (!server->listen(path)) return true;
    QLocalServer* s = server.get();
    QObject::connect(s, &QLocalServer::newConnection, s, [this, s] {
        while (QLocalSocket* later = s->nextPendingConnection()) {
            // Told once the later start has said all it had to say.
            QObject::connect(later, &QLocalSocket::disconnected, later, [this, later] {
                TakeActivationToken(later->read(kMaxRequest));
                later->deleteLater();
                if (laterWindow_) Notify(windows_, laterWindow_, laterMessage_);
            });
        }
    });
    server_ = std::move(server);
    return true;
}

void Lifetime::WatchLaterStarts(plat::HWND window, plat::UINT message) {
    laterWindow_ = window;
    laterMessage_ = message;
}

void Lifetime::WatchSessionEnd(plat::HWND window, plat::UINT message) {
    endWindow_ = window;
    endMessage_ = message;
    if (window)
        TakeSignals();
    else
        LeaveSignals();
}

void Lifetime::SessionEnds(plat::WPARAM programToEnd) {
    if (endWindow_) Notify(windows_, endWindow_, endMessage_, programToEnd);
}

void Lifetime::TakeSignals() {
    if (pipe_[0] >= 0) return;
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipe_[0] = pipe_[1] = -1;
        return;
    }
    signalPipe = pipe_[1];
    signals_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(signals_.get(), &QSocketNotifier::activated, signals_.get(), [this] {
        unsigned char drained[16];
        while (::read(pipe_[0], drained, sizeof drained) > 0) {
        }
        SessionEnds(1);
    });
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signo : kEndSignals) ::sigaction(signo, &action, nullptr);

    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        commitData_ = QObject::connect(app, &QGuiApplication::commitDataRequest, app,
                                       [this](QSessionManager&) { SessionEnds(0); });
        aboutToQuit_ =
            QObject::connect(app, &QCoreApplication::aboutToQuit, app, [this] { SessionEnds(0); });
    }
}

void Lifetime::LeaveSignals() {
    if (pipe_[0] < 0) return;
    for (int signo : kEndSignals) std::signal(signo, SIG_DFL);
    signalPipe = -1;
    QObject::disconnect(commitData_);
    QObject::disconnect(aboutToQuit_);
    signals_.reset();
    for (int& fd : pipe_) {
        ::close(fd);
        fd = -1;
    }
}

bool QtPlatform::ClaimSingleInstance() {
    const bool claimed = Life().Claim(UserDataDirectory());
    StartupMark("single instance claimed");
    return claimed;
}

void QtPlatform::WatchLaterStarts(HWND window, UINT message) {
    Life().WatchLaterStarts(window, message);
}

void QtPlatform::WatchSessionEnd(HWND window, UINT message) {
    Life().WatchSessionEnd(window, message);
}

Lifetime& QtPlatform::Life() {
    if (!lifetime_) lifetime_ = std::make_unique<Lifetime>(windows_);
    return *lifetime_;
}

}  // namespace qtb
