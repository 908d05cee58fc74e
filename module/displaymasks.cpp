#include "displaymasks.h"

#include "framework/maskutils.h"

#include <algorithm>

AnsiString FormatTime(const AnsiString& digits) {
    return Maskutils::FormatMaskText("!99:99;0", digits);
}

AnsiString FormatTelephone(const AnsiString& digits) {
    return Maskutils::FormatMaskText(digits.size() == 11 ? "(99) 99999-9999;0" : "(99) 9999-9999;0",
                                     digits);
}

AnsiString TelephoneDigits(const AnsiString& shown) {
    AnsiString digits;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(digits),
                 [](char character) { return character >= '0' && character <= '9'; });
    return digits;
}
