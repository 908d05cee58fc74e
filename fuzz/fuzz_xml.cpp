// The XML packet reader: any input gives a packet or EDatabaseError.
#include "allocationlimit.h"
#include "fuzzsupport.h"

#include "framework/data/datapacketxml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = Fuzz::InputBytes(data, size);
    const Fuzz::TAllocationLimit limit(size);
    Fuzz::ValueOrRefusal([&] { return Datapacket::ReadXmlPacket(bytes, "input"); });
    return 0;
}
