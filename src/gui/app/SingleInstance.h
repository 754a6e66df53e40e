#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace vardo {

/// One running program per user and language: the first start listens on a local socket named
/// "VARDO_9_" + the language tag; a later start connects, asks the first to raise its window and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    /// `name` is the socket name (normally ServerName()).
    explicit SingleInstance(QString name, QObject* parent = nullptr);
    ~SingleInstance() override;

    /// "VARDO_9_" followed by the language tag.
    static QString ServerName();

    /// True when another instance answered and was asked to come to the front: this start should end.
    bool RaiseRunningInstance(int timeoutMs = 500);
    /// Starts listening so that later starts find this one. A stale socket left by a crash is removed.
    bool Listen();

signals:
    /// A later start asked this instance to show its window.
    void RaiseRequested();

private:
    void OnNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

} // namespace vardo
