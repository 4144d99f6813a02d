#pragma once
#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QLocalServer;

namespace quarry {

// Named notices between programs on one desktop, the stand-in for registered window messages
// posted to all top-level windows. Each message has its own local-socket channel, named after
// the message string; up to kSlots programs can listen on one message at a time, each in its
// own slot, and sending reaches every slot that answers.
class InstanceChannel final : public QObject {
    Q_OBJECT
public:
    static constexpr int kSlots = 8;

    explicit InstanceChannel(QObject* parent = nullptr) : QObject(parent) {}

    // Starts listening for a message in the first free slot. A slot left behind by a program
    // that ended without closing it is taken over. False when all slots are in use.
    bool listen(const std::string& message);
    // Delivers a message to every listener; returns how many took it.
    static int send(const std::string& message, int timeoutMs = 1000);
    // The server name of a message's slot (1..kSlots): a socket path in the user's runtime
    // directory (XDG_RUNTIME_DIR, else the temporary directory), a pipe name on Windows.
    static QString serverName(const std::string& message, int slot);

signals:
    void received(const QString& message);

private:
    void accept(QLocalServer* server, const std::string& message);

    std::vector<QLocalServer*> servers_;
};

}  // namespace quarry
