#include "textcharacters.h"

namespace TextCharacters {

namespace {

// Each lower-case accented vowel sits 32 above its capital in Latin-1, as a-z above A-Z.
constexpr int caseDistance = 'a' - 'A';

const AnsiString lowerAccentedVowels = "\xE1\xE0\xE2\xE3\xE9\xEA\xED\xF3\xF4\xF5\xFA\xFC";

bool isAccentedVowel(char character) {
    return lowerAccentedVowels.find(character) != AnsiString::npos;
}

bool isUpperAccentedVowel(char character) {
    return static_cast<unsigned char>(character) >= 0xC0 &&
           isAccentedVowel(char(character + caseDistance));
}

AnsiString lowerAccentedForms(char letter) {
    switch (letter) {
    case 'a':
        return "\xE1\xE0\xE2\xE3";
    case 'e':
        return "\xE9\xEA";
    case 'i':
        return "\xED";
    case 'o':
        return "\xF3\xF4\xF5";
    case 'u':
        return "\xFA\xFC";
    case 'c':
        return "\xE7";
    default:
        return {};
    }
}

} // namespace

bool IsTextCharacter(char character) {
    const auto code = static_cast<unsigned char>(character);
    return code == ' ' || code == ',' || code == '.' || code == '/' ||
           (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
           (code >= 'a' && code <= 'z') || code == 0xC7 || code == 0xE7 ||
           isAccentedVowel(character) || isUpperAccentedVowel(character);
}

char UpperLetter(char character) {
    if ((character >= 'a' && character <= 'z') || isAccentedVowel(character)) {
        return char(character - caseDistance);
    }
    return character;
}

char LowerLetter(char character) {
    if ((character >= 'A' && character <= 'Z') || isUpperAccentedVowel(character)) {
        return char(character + caseDistance);
    }
    return character;
}

AnsiString AccentedForms(char letter, bool upperCase) {
    AnsiString forms = lowerAccentedForms(LowerLetter(letter));
    if (upperCase) {
        // ç too: its caption follows the case, though typing leaves ç to the ç key's rule.
        for (char& form : forms) {
            form = char(form - caseDistance);
        }
    }
    return forms;
}

} // namespace TextCharacters
