#pragma once

#include <QByteArray>
#include <cstdint>

// Little-endian bytes written by hand, to build binary packets without our writer.
class PacketBytes {
public:
    PacketBytes& U8(unsigned value);
    PacketBytes& U16(unsigned value);
    PacketBytes& U32(std::uint32_t value);
    PacketBytes& Double(double value);
    PacketBytes& Raw(const QByteArray& bytes);
    // A length byte, then the text.
    PacketBytes& Name(const QByteArray& text);

    // The 24-byte header, then what was written so far as the column descriptors and dataset
    // properties; the header places the rows right after them.
    QByteArray WithHeader(unsigned columns, std::uint32_t rows) const;
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};
