#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// XML 1.0 forbids most control characters even as character references ("&#001;"), yet the
// framework writes them that way into the XML form. Before such text is parsed, those references
// become references to a pair of private-use characters, which RestoreControlCharacters turns
// back in the values read; a private-use escape character already in the text is paired likewise.
namespace Datapacket {

// The text, Latin-1 or UTF-8 as utf8 says, with those references masked.
QByteArray MaskControlReferences(QByteArrayView text, bool utf8);
QString RestoreControlCharacters(const QString& value);

} // namespace Datapacket
