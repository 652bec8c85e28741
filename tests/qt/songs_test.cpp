// What plays now with real things on Linux: real mpv, with and without MPRIS, telling the stream's
// ICY titles on its IPC socket, from a server of the test's own that sends them as Icecast does;
// and the notifications on a session bus, where a notification server of the test's own shows what
// it is told, and a real one (dunst) shows them.
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cmath>

#include "app/playercontrol.h"
#include "qt/qt_fixture.h"

namespace {

// A tone in Ogg Vorbis, made with oggenc from samples of our own.
bool MakeTone(const QString& ogg) {
    const QString wav = ogg + ".wav";
    const int rate = 22050, seconds = 40;
    QByteArray samples;
    for (int i = 0; i < rate * seconds; ++i) {
        const auto s = static_cast<qint16>(9000 * std::sin(2 * M_PI * 440 * i / rate));
        samples.append(reinterpret_cast<const char*>(&s), 2);
    }
    QFile out(wav);
    if (!out.open(QIODevice::WriteOnly)) return false;
    auto u32 = [&](quint32 v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](quint16 v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF");
    u32(36 + samples.size());
    out.write("WAVEfmt ");
    u32(16), u16(1), u16(1), u32(rate), u32(rate * 2), u16(2), u16(16);
    out.write("data");
    u32(samples.size());
    out.write(samples);
    out.close();
    return QProcess::execute("oggenc", {"-Q", "-o", ogg, wav}) == 0;
}

// An Icecast-like server: the file as a live stream, 8 KB a second, and to a client
// that asks with "Icy-MetaData: 1" a metadata block after every kMetaInt bytes, with
// the title when it changed since the last block.
class IcyServer : public QObject {
  public:
    static constexpr int kMetaInt = 4096;
    explicit IcyServer(QByteArray audio) : audio_(std::move(audio)) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] { Accept(); });
        connect(&clock_, &QTimer::timeout, this, [this] { Send(); });
        clock_.start(100);
    }
    QString Url() const {
        return QString("http://127.0.0.1:%1/tone.ogg").arg(server_.serverPort());
    }
    QByteArray title = "Tone A - First";
    bool askedForTitles = false;

  private:
    struct Client {
        QTcpSocket* socket = nullptr;
        bool started = false, icy = false;
        qsizetype at = 0, sinceMeta = 0;
        QByteArray toldTitle;
    };
    void Accept() {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            Client client;
            client.socket = s;
            clients_.push_back(client);
        }
    }
    void Send() {
        for (Client& c : clients_) {
            if (c.socket->state() != QAbstractSocket::ConnectedState) continue;
            if (!c.started) {
                const QByteArray request = c.socket->peek(4096);
                if (!request.contains("\r\n\r\n")) continue;
                c.socket->readAll();
                c.icy = request.toLower().contains("icy-metadata: 1");
                askedForTitles = askedForTitles || c.icy;
                QByteArray head =
                    "HTTP/1.0 200 OK\r\nContent-Type: audio/ogg\r\nicy-name: Tone\r\n";
                if (c.icy) head += "icy-metaint: " + QByteArray::number(kMetaInt) + "\r\n";
                c.socket->write(head + "\r\n");
                c.started = true;
            }
            for (int n = 0; n < 800 && c.at < audio_.size(); n += 1) {
                c.socket->write(audio_.mid(c.at++, 1));
                if (c.icy && ++c.sinceMeta == kMetaInt) {
                    c.sinceMeta = 0;
                    c.socket->write(Meta(c));
                }
            }
        }
    }
    QByteArray Meta(Client& c) {
        if (c.toldTitle == title) return QByteArray(1, '\0');
        c.toldTitle = title;
        QByteArray text = "StreamTitle='" + title + "';";
        const int blocks = static_cast<int>((text.size() + 15) / 16);
        text.resize(blocks * 16, '\0');
        return QByteArray(1, static_cast<char>(blocks)) + text;
    }
    QTcpServer server_;
    QTimer clock_;
    QByteArray audio_;
    std::vector<Client> clients_;
};

class QtSongs : public QtTest {
  protected:
    bool Until(TPlayerControl& control, const std::function<bool()>& done, int ms = 15000) {
        return WaitFor(
            [&] {
                control.Look();
                return done();
            },
            ms);
    }
    // A tray icon of a hidden test window, whose record is set to tell the balloon
    // "Jazz" / "Take Five" at the next NIM_MODIFY.
    plat::NOTIFYICONDATA TrayIconForBalloons(Recorder* sink = nullptr) {
        plat::WindowSpec spec;
        spec.kind = plat::WindowKind::Form;
        spec.className = "TZelTestTray";
        spec.visible = false;
        spec.sink = sink;
        plat::NOTIFYICONDATA data;
        data.hWnd = platform().CreateWindowA(spec);
        data.uID = 42;
        data.uFlags = plat::NIF_ICON | plat::NIF_TIP;
        EXPECT_TRUE(platform().Shell_NotifyIconA(plat::NIM_ADD, data));
        data.uFlags = plat::NIF_INFO;
        std::strcpy(data.szInfoTitle, "Jazz");
        std::strcpy(data.szInfo, "Take Five");
        return data;
    }
};

// Without a session bus mpv has no MPRIS; with one (the linux_mpris run) its plugin
// publishes too, and the socket's titles still win.
TEST_F(QtSongs, RealMpvTellsTheStreamsIcyTitlesOnItsSocket) {
    if (QStandardPaths::findExecutable("mpv").isEmpty() ||
        QStandardPaths::findExecutable("oggenc").isEmpty())
        GTEST_SKIP() << "no mpv or no oggenc";
    const QString ogg = QString::fromStdString(dir()) + "/tone.ogg";
    ASSERT_TRUE(MakeTone(ogg));
    QFile file(ogg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    IcyServer server(file.readAll());

    TPlayerControl control;
    ASSERT_TRUE(control.Play("mpv", server.Url().toStdString()));
    EXPECT_TRUE(Until(control, [&] { return control.NowPlaying() == "Tone A - First"; }))
        << control.NowPlaying().value_or("(nothing)");
    EXPECT_TRUE(server.askedForTitles);
    server.title = "Tone A - Second <b>&</b>";
    EXPECT_TRUE(Until(control, [&] { return control.NowPlaying() == "Tone A - Second <b>&</b>"; }))
        << control.NowPlaying().value_or("(nothing)");

    control.Stop();
    EXPECT_TRUE(Until(
        control, [&] { return !control.Playing(); }, 5000))
        << "quit on its socket";
}

// The freedesktop notification server's side, as much as the program uses.
class Notifications : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
  public:
    explicit Notifications(QObject* parent) : QDBusAbstractAdaptor(parent) {}
    struct Told {
        uint replaces;
        QString summary, body;
        QVariantMap hints;
    };
    std::vector<Told> told;
    QLabel shown;

  public slots:
    QStringList GetCapabilities() { return {"body", "body-markup"}; }
    uint Notify(const QString&, uint replaces, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap& hints, int) {
        told.push_back({replaces, summary, body, hints});
        shown.setText("<b>" + summary.toHtmlEscaped() + "</b><br>" + body);
        shown.setWindowFlags(Qt::ToolTip);
        shown.setStyleSheet("background: #ffffe0; padding: 12px; font-size: 14px;");
        shown.adjustSize();
        shown.move(700, 40);
        shown.show();
        return replaces ? replaces : 41;
    }
};

TEST_F(QtSongs, ABalloonIsANotificationThatReplacesTheProgramsLastOne) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) GTEST_SKIP() << "no session bus";
    // The server on a connection of its own, as another program would be.
    QDBusConnection daemon = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "daemon");
    QObject host;
    auto* server = new Notifications(&host);
    ASSERT_TRUE(daemon.registerService("org.freedesktop.Notifications"));
    ASSERT_TRUE(daemon.registerObject("/org/freedesktop/Notifications", &host));

    auto& p = platform();
    Recorder sink;
    plat::NOTIFYICONDATA data = TrayIconForBalloons(&sink);
    p.Shell_NotifyIconA(plat::NIM_MODIFY, data);
    ASSERT_TRUE(WaitFor([&] { return server->told.size() == 1; }));
    Pump(300);  // the answer with the notification's id
    std::strcpy(data.szInfo, "Blue <Rondo> & more");
    p.Shell_NotifyIconA(plat::NIM_MODIFY, data);
    ASSERT_TRUE(WaitFor([&] { return server->told.size() == 2; }));
    EXPECT_EQ(server->told[0].replaces, 0u);
    EXPECT_EQ(server->told[1].replaces, 41u) << "the last one replaced, never a pile";
    EXPECT_EQ(server->told[1].summary, "Jazz");
    EXPECT_EQ(server->told[1].body, "Blue &lt;Rondo&gt; &amp; more") << "text, never markup";
    EXPECT_TRUE(server->told[1].hints.value("suppress-sound").toBool());
    Pump(300);
    const QString shot = qEnvironmentVariable("ZEL_TEST_OUTPUT", QString::fromStdString(dir()));
    server->shown.grab().save(shot + "/notification.png");
    p.Shell_NotifyIconA(plat::NIM_DELETE, data);
    daemon.unregisterService("org.freedesktop.Notifications");
}

// The same balloons to a real notification daemon (dunst) on the test's own bus and
// display: it shows one notification, the second replacing the first.
TEST_F(QtSongs, ARealNotificationDaemonShowsOneNotificationForTwoBalloons) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) GTEST_SKIP() << "no session bus";
    if (QStandardPaths::findExecutable("dunst").isEmpty()) GTEST_SKIP() << "no dunst";
    QProcess dunst;
    dunst.start("dunst", {"-config", "/dev/null"});
    ASSERT_TRUE(dunst.waitForStarted(5000));
    auto dunstctl = [](const QStringList& args) {
        QProcess ctl;
        ctl.start("dunstctl", args);
        ctl.waitForFinished(5000);
        return QString::fromUtf8(ctl.readAllStandardOutput()).trimmed();
    };
    // Asked before it owns its name, the bus would start a second one for dunstctl.
    ASSERT_TRUE(WaitFor(
        [] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                "org.freedesktop.Notifications");
        },
        10000))
        << "dunst did not come on the bus";

    auto& p = platform();
    plat::NOTIFYICONDATA data = TrayIconForBalloons();
    p.Shell_NotifyIconA(plat::NIM_MODIFY, data);
    ASSERT_TRUE(WaitFor([&] { return dunstctl({"count", "displayed"}) == "1"; }));
    Pump(300);  // the answer with the notification's id
    std::strcpy(data.szInfo, "Blue Rondo a la Turk");
    p.Shell_NotifyIconA(plat::NIM_MODIFY, data);
    Pump(1000);
    EXPECT_EQ(dunstctl({"count", "displayed"}), "1") << "replaced, not piled up";
    EXPECT_EQ(dunstctl({"count", "history"}), "0");
    const QString shots = qEnvironmentVariable("ZEL_TEST_OUTPUT", QString::fromStdString(dir()));
    QProcess::execute("import", {"-window", "root", shots + "/notification-dunst.png"});
    p.Shell_NotifyIconA(plat::NIM_DELETE, data);
    dunst.terminate();
    dunst.waitForFinished(3000);
}

}  // namespace

#include "songs_test.moc"
