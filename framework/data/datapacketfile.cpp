#include "framework/data/datapacketfile.h"
#include "framework/data/datapacketbinary.h"
#include "framework/data/datapacketxml.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Datapacket {

TPacketForm FormForFileName(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive) ? TPacketForm::Xml
                                                                         : TPacketForm::Binary;
}

TDataPacket ParsePacket(const QByteArray& bytes, const AnsiString& source) {
    if (IsBinaryPacket(bytes)) {
        return ReadBinaryPacket(bytes, source);
    }
    if (IsXmlPacket(bytes)) {
        return ReadXmlPacket(bytes, source);
    }
    Db::RaiseDatabaseError(source + ": neither a binary nor an XML data packet");
}

TDataPacket ReadPacketFile(const QString& fileName) {
    const AnsiString source = FromQString(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Db::RaiseDatabaseError(
            source + ": could not be opened for reading: " + FromQString(file.errorString()));
    }
    return ParsePacket(file.readAll(), source);
}

void WritePacketFile(const QString& fileName, const TDataPacket& packet, TPacketForm form) {
    const AnsiString target = FromQString(fileName);
    const auto cannotWrite = [&](const QFileDevice& file) {
        Db::RaiseDatabaseError(target +
                               ": could not be written: " + FromQString(file.errorString()));
    };
    const auto write = [&](QIODevice& device) {
        if (form == TPacketForm::Xml) {
            WriteXmlPacket(packet, device, target);
        } else {
            WriteBinaryPacket(packet, device, target);
        }
    };
    // A device or a pipe is written in place: replacing it with a new file would destroy it.
    const QFileInfo existing(fileName);
    if (existing.exists() && !existing.isFile() && !existing.isDir()) {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly)) {
            cannotWrite(file);
        }
        write(file);
        if (!file.flush()) {
            cannotWrite(file);
        }
        return;
    }
    // A plain file is replaced whole, so a failed write leaves the old one as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        cannotWrite(file);
    }
    write(file);
    if (!file.commit()) {
        cannotWrite(file);
    }
}

} // namespace Datapacket
