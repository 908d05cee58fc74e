#include "datapacketoutput.h"
#include "framework/data/db.h"

namespace Datapacket {

void TPacketOutput::Flush() {
    if (device_.write(buffer_) != buffer_.size()) {
        Db::RaiseDatabaseError(target_ +
                               ": could not be written: " + FromQString(device_.errorString()));
    }
    // Keeps its capacity for the next piece.
    buffer_.resize(0);
}

} // namespace Datapacket
