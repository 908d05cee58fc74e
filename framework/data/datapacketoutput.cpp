#include "datapacketoutput.h"
#include "framework/data/db.h"

namespace Datapacket {

void TPacketOutput::Flush() {
    if (device_.write(buffer_) != buffer_.size()) {
        Db::DatabaseError(target_ + ": cannot write: " + FromQString(device_.errorString()));
    }
    // Keeps its capacity for the next piece.
    buffer_.resize(0);
}

} // namespace Datapacket
