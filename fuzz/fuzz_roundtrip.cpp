// Read, write, read: a packet that reads in either form is written in both forms, and each
// must read back with the same fields and rows. A form may refuse to hold a packet with
// EDatabaseError (a name longer than 255 bytes for the binary form, ...); writing something its
// own reader refuses is a finding.
#include "allocationlimit.h"
#include "fuzzsupport.h"
#include "samecontent.h"

#include "framework/data/datapacketbinary.h"
#include "framework/data/datapacketfile.h"
#include "framework/data/datapacketxml.h"

#include <QBuffer>

using Datapacket::TDataPacket;
using Datapacket::TPacketForm;

namespace {

// Both forms of a packet may be far larger than the input it was read from: each empty ROW of
// XML, six bytes, is a binary row with two bits for every column; each value of a binary row
// repeats its column's name in XML; each change of a wide original repeats the original's values
// in both. A form larger than this many bytes per input byte is not checked: writing and reading
// it would take longer than an input may.
constexpr qint64 WrittenBytesPerInputByte = 2;
constexpr qint64 WrittenAllowance = 1 << 20;

// A buffer that refuses to grow past its capacity, which the writer reports as a failed write.
class TCappedBuffer : public QBuffer {
public:
    explicit TCappedBuffer(qint64 capacity) : capacity_(capacity) {}

    bool Overflowed() const { return overflowed_; }

protected:
    qint64 writeData(const char* data, qint64 length) override {
        if (size() + length > capacity_) {
            overflowed_ = true;
            setErrorString(QStringLiteral("larger than the form checked"));
            return -1;
        }
        return QBuffer::writeData(data, length);
    }

private:
    qint64 capacity_;
    bool overflowed_ = false;
};

QByteArray Write(const TDataPacket& packet, TPacketForm form, TCappedBuffer& buffer) {
    buffer.open(QIODevice::WriteOnly);
    if (form == TPacketForm::Xml) {
        Datapacket::WriteXmlPacket(packet, buffer, "written");
    } else {
        Datapacket::WriteBinaryPacket(packet, buffer, "written");
    }
    return buffer.data();
}

const char* FormName(TPacketForm form) {
    return form == TPacketForm::Xml ? "XML" : "binary";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = Fuzz::InputBytes(data, size);
    std::optional<TDataPacket> packet;
    {
        // Only reading the input is held to its size; its other form is held to a capacity.
        const Fuzz::TAllocationLimit limit(size);
        packet = Fuzz::ValueOrRefusal([&] { return Datapacket::ParsePacket(bytes, "input"); });
    }
    if (!packet) {
        return 0;
    }
    // XML first: it writes as it goes, while the binary writer measures every string before it
    // writes; a packet too large for XML has too many values to measure in time.
    for (const TPacketForm form : {TPacketForm::Xml, TPacketForm::Binary}) {
        TCappedBuffer buffer(WrittenBytesPerInputByte * static_cast<qint64>(size) +
                             WrittenAllowance);
        const std::optional<QByteArray> written =
            Fuzz::ValueOrRefusal([&] { return Write(*packet, form, buffer); });
        if (buffer.Overflowed()) {
            break;
        }
        if (!written) {
            continue;
        }
        TDataPacket readBack;
        try {
            readBack = Datapacket::ParsePacket(*written, "written");
        } catch (const Db::EDatabaseError& error) {
            Fuzz::Finding(QByteArray("the ") + FormName(form) + " form written cannot be read: " +
                          QByteArray::fromStdString(error.Message()));
        }
        const QByteArray difference = Fuzz::Difference(*packet, readBack, form);
        if (!difference.isEmpty()) {
            Fuzz::Finding(QByteArray("the ") + FormName(form) +
                          " form written reads differently: " + difference);
        }
    }
    return 0;
}
