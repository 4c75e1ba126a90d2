#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

// One program per user. Every running copy counts: each holds a shared lock
// on a lock file in the user's runtime folder for as long as it runs, and a
// start without an argument takes that lock only when no other copy holds
// it. One of the copies answers on a local socket beside the lock file, so
// that a refused start can ask it to come forward; when that copy ends, the
// first of the others to find the name free takes it over. A copy removes
// only the socket it answers on.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` names the socket and, with ".lock", the lock file in the
    // runtime folder; the program uses defaultName(), tests a name of their
    // own.
    explicit SingleInstance(const QString& name = defaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    static QString defaultName();

    // Counts this copy among the running ones. With `alone`, only when no
    // other copy runs: false then, and this copy counts for nothing.
    bool join(bool alone);
    // Asks the copy that answers to come forward; false when none answers.
    bool askToComeForward() const;
    // Answers on the socket when its name is free, now or as soon as the
    // copy that answers ends.
    void serve();

signals:
    // A later start asked this program to come forward.
    void comeForwardRequested();

private:
    bool tryToServe();
    void onNewConnection();
    void readRequests(QLocalSocket* socket);

    QString m_socketPath;
    QString m_lockPath;
    int m_lockFd = -1;
    QLocalServer* m_server = nullptr;
    QTimer* m_retry = nullptr;
};
