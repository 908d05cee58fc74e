#pragma once

#include "framework/data/datapacket.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The stored date-time of 2026-12-07 19:30, and its day number.
constexpr long long SampleDay = 739957;
constexpr double SampleDateTime = SampleDay * 86400000.0 + 70200000.0;

// A parameters file written by hand in the binary layout: eight columns (IDESQUEMA string of
// one character, NRVERSAO required integer, VRTAXA currency, DTATUALIZ date-time, DTINICIO
// date, IDATIVO boolean, DSOBS memo, NMLOJA hidden string), LCID and DEFAULT_ORDER, and three
// rows of which the second is deleted.
QByteArray HandWrittenParameters();

// A packet with a column of every kind, a row of extreme values, a row of nulls and a row with
// a date-time at midnight.
Datapacket::TDataPacket EveryKindPacket();

// A packet as the framework writes it in XML, and its binary twin: a memo of text (the text
// itself in XML), a formatted memo and a blob (base64 in XML), over two rows.
QByteArray MemoTwinXml();
QByteArray MemoTwinBinary();

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// The message of the EDatabaseError the call raises; fails the test when it raises none.
#define DATABASE_ERROR(call, message)                                                              \
    do {                                                                                           \
        bool raised = false;                                                                       \
        try {                                                                                      \
            call;                                                                                  \
        } catch (const Db::EDatabaseError& error) {                                                \
            raised = true;                                                                         \
            message = error.Message();                                                             \
        }                                                                                          \
        QVERIFY2(raised, "no EDatabaseError from " #call);                                         \
    } while (false)
