#include "barereads.h"

#include <QFile>
#include <QXmlStreamReader>

namespace Bench {

qint64 PlainRead(const QString& file) {
    QFile input(file);
    return input.open(QIODevice::ReadOnly) ? input.readAll().size() : -1;
}

qint64 BareXmlPass(const QString& file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray bytes = input.readAll();
    QXmlStreamReader xml(bytes);
    qint64 characters = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            for (const QXmlStreamAttribute& attribute : xml.attributes()) {
                characters += attribute.value().size();
            }
        }
    }
    return xml.hasError() ? -1 : characters;
}

} // namespace Bench
