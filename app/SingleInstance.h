#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One running program per user: the first start listens on a local socket
// named for the user; a later start without an argument finds it there and
// asks it to come forward.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` is the socket's name; the program uses defaultName(), tests a
    // name of their own.
    explicit SingleInstance(const QString& name = defaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // "brindlemark-" and the user's id: one name per user, in the temporary
    // folder, open to that user alone.
    static QString defaultName();

    // True when a running program answers on the name.
    bool isRunning() const;
    // Asks the running program to come forward; false when none answers.
    bool askToComeForward() const;

    // Starts answering on the name, taking it over from a program that ended
    // without giving it up. False when another program holds it.
    bool listen();

signals:
    // A later start asked this program to come forward.
    void comeForwardRequested();

private:
    void onNewConnection();
    void readRequests(QLocalSocket* socket);

    QString m_name;
    QLocalServer* m_server = nullptr;
};
