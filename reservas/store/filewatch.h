#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

namespace Reservas {

// Watches a SQLite file for writes by any connection, this program's included: its data version,
// asked about twice a second on a read-only connection of the watch's own, kept open. A poll
// waits only a moment for a writer that holds the file; it asks again at the next one.
class FileWatch : public QObject {
    Q_OBJECT

public:
    explicit FileWatch(QString file);
    ~FileWatch() override;
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

signals:
    void Changed();
    // The file answered, for the first time or after Lost.
    void Reached();
    // The file cannot be opened or read.
    void Lost();

private:
    enum class Answer { Read, Busy, Failed };

    void poll();
    Answer readVersion(qlonglong& version) const;
    void close();

    QString file_;
    QString name_;
    QTimer timer_;
    bool open_ = false;
    std::optional<qlonglong> version_; // none until the file answered, and after it failed
};

} // namespace Reservas
