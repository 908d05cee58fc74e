#include "regularfile.h"

#include "terminaltexts.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* useKey(FileUse use) {
    switch (use) {
    case FileUse::Settings:
        return "USO_CONFIGURACOES";
    case FileUse::Journal:
        return "USO_DIARIO";
    case FileUse::Screenshot:
        return "USO_IMAGEM";
    case FileUse::Printout:
        return "USO_IMPRESSAO";
    }
    return "USO_CONFIGURACOES";
}

QString refusal(FileUse use, const QString& path) {
    return ToQString(TerminalText("NAO_E_ARQUIVO", ToQString(TerminalText(useKey(use))), path));
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

FileOpening OpenRegularFile(QFile& file, QIODevice::OpenMode mode, FileUse use, QString& reason) {
    const QByteArray path = QFile::encodeName(file.fileName());
    const bool writing = mode.testFlag(QIODevice::WriteOnly);
    // Asked first, so that a device is never opened at all...
    struct stat status {};
    if (::stat(path.constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        reason = refusal(use, file.fileName());
        return FileOpening::Refused;
    }
    // ... and of what was opened, for the path may have changed meanwhile: O_NONBLOCK keeps a
    // FIFO put there from holding the open up. A regular file ignores it.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (writing ? O_WRONLY | O_CREAT : O_RDONLY);
    if (mode.testFlag(QIODevice::Append)) {
        flags |= O_APPEND;
    }
    const int descriptor = ::open(path.constData(), flags, 0666);
    if (descriptor < 0) {
        const int error = errno;
        if (error == ENOENT && !writing) {
            return FileOpening::Missing;
        }
        reason = systemReason(error);
        return FileOpening::Failed;
    }
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        reason = refusal(use, file.fileName());
        return FileOpening::Refused;
    }
    if (writing && !mode.testFlag(QIODevice::Append) && ::ftruncate(descriptor, 0) != 0) {
        reason = systemReason(errno);
        ::close(descriptor);
        return FileOpening::Failed;
    }
    if (!file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        reason = file.errorString();
        ::close(descriptor);
        return FileOpening::Failed;
    }
    return FileOpening::Opened;
}
