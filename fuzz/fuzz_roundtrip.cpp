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

using Datapacket::TDataPacket;
using Datapacket::TPacketForm;

namespace {

QByteArray Write(const TDataPacket& packet, TPacketForm form) {
    return form == TPacketForm::Xml ? Datapacket::WriteXmlPacket(packet, "written")
                                    : Datapacket::WriteBinaryPacket(packet, "written");
}

const char* FormName(TPacketForm form) {
    return form == TPacketForm::Xml ? "XML" : "binary";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = Fuzz::InputBytes(data, size);
    std::optional<TDataPacket> packet;
    {
        // Only reading is held to the input's size: each empty ROW of XML, six bytes, is a row of
        // every column, so a packet and its other form may grow with the square of the input.
        const Fuzz::TAllocationLimit limit(size);
        packet = Fuzz::ValueOrRefusal([&] { return Datapacket::ParsePacket(bytes, "input"); });
    }
    if (!packet) {
        return 0;
    }
    for (const TPacketForm form : {TPacketForm::Binary, TPacketForm::Xml}) {
        const std::optional<QByteArray> written =
            Fuzz::ValueOrRefusal([&] { return Write(*packet, form); });
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
