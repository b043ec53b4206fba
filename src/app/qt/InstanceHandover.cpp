#include "app/qt/InstanceHandover.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTimer>
#include <QUuid>

#include <memory>

#include "platform/qt/QtText.h"

namespace tagloom {

namespace {

constexpr const char* kHandoverVariable = "TAGLOOM_PLACEMENT_SOCKET";
constexpr int kPatienceMs = 5000;
constexpr int kConnectMs = 1000;

}  // namespace

LaunchResult QtInstanceStarter::start(const std::vector<std::string>& arguments, std::function<void()> placementRead) {
    auto* server = new QLocalServer;
    server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = QStringLiteral("tagloom-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (!server->listen(name)) {
        const std::string error = fromQString(server->errorString());
        delete server;
        return {false, error};
    }

    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    QStringList list;
    for (const std::string& argument : arguments) list << toQString(argument);
    process.setArguments(list);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kHandoverVariable), server->fullServerName());
    process.setProcessEnvironment(environment);
    if (!process.startDetached()) {
        delete server;
        return {false, fromQString(process.errorString())};
    }

    // The first of the two, the new instance's call or the patience running
    // out, ends the wait.
    auto done = std::make_shared<std::function<void()>>(std::move(placementRead));
    const auto finish = [server, done] {
        if (!*done) return;
        std::exchange(*done, {})();
        server->close();
        server->deleteLater();
    };
    QObject::connect(server, &QLocalServer::newConnection, server, finish);
    QTimer::singleShot(kPatienceMs, server, finish);
    return {true, {}};
}

void confirmPlacementRead() {
    const QByteArray name = qgetenv(kHandoverVariable);
    if (name.isEmpty()) return;
    qunsetenv(kHandoverVariable);  // so instances this one starts do not call back
    QLocalSocket socket;
    socket.connectToServer(QString::fromLocal8Bit(name));
    if (socket.waitForConnected(kConnectMs)) {
        socket.write("placement read\n");
        socket.waitForBytesWritten(kConnectMs);
        socket.disconnectFromServer();
    }
}

}  // namespace tagloom
