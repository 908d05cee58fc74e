#pragma once

namespace Reservas {

class ReservationDatabase;

// The tables of the store: the reservations (RESERVAMESA), the restaurant's tables (MESA: number
// and seats) and the tables each reservation holds (MESARESERVADA, with the reservation's date
// and times beside each table, so that a booking is checked in one table). VERSAOESQUEMA says
// which of these a database has. A database from before the tables gets them, with the
// restaurant's default twenty tables of four seats, and then the database's own refusal of a
// table held twice at overlapping times. The same on SQLite and on a server.
void BringSchemaUpToDate(const ReservationDatabase& database);

// Which of those the database has: 0 for none. From 4 on, each reservation has a version
// (NRVERSAO) and the identity of the hand-off that last stored it (IDENTREGA).
int SchemaVersion(const ReservationDatabase& database);
constexpr int FirstVersionWithVersions = 4;
// The version this program makes and needs.
constexpr int CurrentSchemaVersion = 7;
// From 7 on, each reservation has its history (history.h).
constexpr int FirstVersionWithHistory = 7;

} // namespace Reservas
