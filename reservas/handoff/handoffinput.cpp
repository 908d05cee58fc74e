#include "handoff/handoffinput.h"

#include "framework/datetime.h"
#include "hostlib/strings.h"
#include "packagetexts.h"
#include "reservas/store.h"

#include <QTime>
#include <algorithm>

namespace Reservas {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(const AnsiString& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

AnsiString trimmed(const AnsiString& text) {
    return FromQString(ToQString(text).trimmed());
}

// Three digits are an hour below 10 typed without its leading zero.
AnsiString readTime(const AnsiString& digits, const char* failureKey) {
    AnsiString time = trimmed(digits);
    if (time.size() == 3) {
        time.insert(0, 1, '0');
    }
    if (time.size() != 4 || !allDigits(time) ||
        !QTime::fromString(ToQString(time), QStringLiteral("HHmm")).isValid()) {
        Raise(failureKey, digits);
    }
    return time;
}

// The shown text carries the date on every road; the typed digits are missing after a
// calendar pick or a prefilled date.
QDate readDate(const AnsiString& shown) {
    if (EmptyString(shown)) {
        Raise("DATA_VAZIA");
    }
    try {
        return Sysutils::DecodeDateTime(Sysutils::StrToDate(shown)).date();
    } catch (const Sysutils::Exception&) {
        Raise("DATA_INV", shown);
    }
}

AnsiString readName(const AnsiString& text) {
    const AnsiString name = trimmed(text);
    if (EmptyString(name)) {
        Raise("NOME_VAZIO");
    }
    if (name.size() > ColumnLength("NMRESMESA")) {
        Raise("NOME_LONGO", QString::number(ColumnLength("NMRESMESA")));
    }
    return name;
}

AnsiString readDescription(const AnsiString& text) {
    const AnsiString description = trimmed(text);
    if (description.size() > ColumnLength("DSRESMESA")) {
        Raise("DESCR_LONGA", QString::number(ColumnLength("DSRESMESA")));
    }
    return description;
}

AnsiString readTelephone(const AnsiString& text) {
    AnsiString digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), isDigit);
    if (digits.size() > ColumnLength("NRTELRESMESA")) {
        Raise("TEL_LONGO", QString::number(ColumnLength("NRTELRESMESA")));
    }
    return digits;
}

AnsiString readPeople(const AnsiString& text) {
    const AnsiString people = trimmed(text);
    if (!allDigits(people) || people.size() > ColumnLength("NRPESRESMESA") ||
        std::stoi(people) == 0) {
        Raise("PESSOAS_INV", text);
    }
    return std::to_string(std::stoi(people));
}

} // namespace

StoredReservation ReadHandOff(const HandOffTexts& texts) {
    StoredReservation reservation;
    reservation.NMRESMESA = readName(texts.Nome);
    reservation.DTRESMESA = readDate(texts.Data);
    reservation.HRINIRESMESA = readTime(texts.HrIni, "HRINI_INV");
    reservation.HRFINRESMESA = readTime(texts.HrFim, "HRFIM_INV");
    // Both four digits: their texts order as the times do. A reservation ends the day it starts.
    if (reservation.HRFINRESMESA <= reservation.HRINIRESMESA) {
        Raise("HORAS_INV", texts.HrIni, texts.HrFim);
    }
    reservation.NRTELRESMESA = readTelephone(texts.Telefone);
    reservation.NRPESRESMESA = readPeople(texts.Pessoas);
    reservation.DSRESMESA = readDescription(texts.Descricao);
    return reservation;
}

} // namespace Reservas
