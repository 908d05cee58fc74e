#include "datapacketquote.h"

namespace Datapacket {

namespace {

constexpr std::size_t QuotedLength = 40;

} // namespace

AnsiString QuotedValue(const AnsiString& value) {
    if (value.size() <= QuotedLength) {
        return "'" + value + "'";
    }
    return "'" + value.substr(0, QuotedLength) + "...'";
}

} // namespace Datapacket
