#include "packetbytes.h"

#include <QtEndian>
#include <cstring>

PacketBytes& PacketBytes::U8(unsigned value) {
    bytes_.append(static_cast<char>(value));
    return *this;
}

PacketBytes& PacketBytes::U16(unsigned value) {
    char data[2];
    qToLittleEndian(static_cast<std::uint16_t>(value), data);
    bytes_.append(data, 2);
    return *this;
}

PacketBytes& PacketBytes::U32(std::uint32_t value) {
    char data[4];
    qToLittleEndian(value, data);
    bytes_.append(data, 4);
    return *this;
}

PacketBytes& PacketBytes::Double(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char data[8];
    qToLittleEndian(bits, data);
    bytes_.append(data, 8);
    return *this;
}

PacketBytes& PacketBytes::Raw(const QByteArray& bytes) {
    bytes_.append(bytes);
    return *this;
}

PacketBytes& PacketBytes::Name(const QByteArray& text) {
    return U8(text.size()).Raw(text);
}

QByteArray PacketBytes::WithHeader(unsigned columns, std::uint32_t rows) const {
    PacketBytes header;
    header.Raw("\x96\x19\xE0\xBD").U16(1).U16(0).U32(24).U16(columns).U32(rows).U32(3);
    header.U16(24 + bytes_.size());
    return header.Bytes() + bytes_;
}
