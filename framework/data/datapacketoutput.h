#pragma once

#include "framework/ansistring.h"

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>

// Where a packet writer's bytes go: they gather in a buffer that is handed to the device in
// pieces, so that a large packet written to a file is never held in memory whole.
namespace Datapacket {

class TPacketOutput {
public:
    TPacketOutput(QIODevice& device, const AnsiString& target) : device_(device), target_(target) {}

    QByteArray& Buffer() { return buffer_; }
    // Hands the buffer to the device once it holds a piece worth a write.
    void Pass() {
        if (buffer_.size() >= PieceSize) {
            Flush();
        }
    }
    // Hands all that is buffered to the device; raises EDatabaseError "<target>: could not be
    // written: <reason>" when the device refuses it.
    void Flush();

private:
    static constexpr qsizetype PieceSize = 1 << 20;

    QIODevice& device_;
    AnsiString target_;
    QByteArray buffer_;
};

// What a writer gives a device, gathered in memory instead: for packets passed on as values.
template <class Writer> QByteArray WrittenBytes(const Writer& write) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return buffer.data();
}

} // namespace Datapacket
