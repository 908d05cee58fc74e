#include "framework/datapacketfile.h"
#include "framework/datapacketbinary.h"
#include "framework/datapacketxml.h"

#include <QFile>
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
    Db::DatabaseError(source + ": not a data packet");
}

TDataPacket ReadPacketFile(const QString& fileName) {
    const AnsiString source = FromQString(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Db::DatabaseError(source + ": cannot open: " + FromQString(file.errorString()));
    }
    return ParsePacket(file.readAll(), source);
}

void WritePacketFile(const QString& fileName, const TDataPacket& packet, TPacketForm form) {
    const AnsiString target = FromQString(fileName);
    const QByteArray bytes = form == TPacketForm::Xml ? WriteXmlPacket(packet, target)
                                                      : WriteBinaryPacket(packet, target);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        Db::DatabaseError(target + ": cannot write: " + FromQString(file.errorString()));
    }
}

} // namespace Datapacket
