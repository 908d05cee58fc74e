#pragma once

#include <QString>

// The baselines of the reading benchmarks; each gives -1 when the file cannot be read.
namespace Bench {

// The file's bytes read whole, as the packet reader reads them, and nothing else: their count.
qint64 PlainRead(const QString& file);

// The file's bytes read whole, then one QXmlStreamReader pass over every token, each attribute's
// value looked at and nothing kept: the number of characters of the attribute values.
qint64 BareXmlPass(const QString& file);

} // namespace Bench
