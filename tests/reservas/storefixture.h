#pragma once

#include "framework/ansistring.h"
#include "hostlib/mensagem.h"
#include "reservas/hooks.h"
#include "testdatabase.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <vector>

namespace Dbclient {
class TClientDataSet;
}

// A fresh database (a file in a temporary folder, or one on the test server), the framework clock
// at a fixed moment, and the stored observer, the message display, the questions and the table
// grid watched (messages are answered, questions with Answer, no dialog opens; the grid answers
// Picks in turn, then "sem mesa"). Everything is put back when it goes.
class StoreFixture {
public:
    explicit StoreFixture(const QDateTime& now);
    ~StoreFixture();
    StoreFixture(const StoreFixture&) = delete;
    StoreFixture& operator=(const StoreFixture&) = delete;

    void SetNow(const QDateTime& now);

    QTemporaryDir Folder;
    TestDatabase Database{Folder.path()};
    std::vector<MensagemCall> Messages;
    std::vector<AnsiString> Questions;
    bool Answer = true;
    std::vector<AnsiString> Stored;
    std::vector<std::vector<int>> Held;
    std::vector<Reservas::TableChoice> Choices;
    std::vector<std::optional<std::vector<int>>> Picks;
    // Runs once the grid has answered, before the package stores: another terminal's moment.
    std::function<void()> BeforeStoring;
};

// The ten arguments of one hand-off, a valid new reservation unless changed.
struct HandOff {
    int Tipo = 1;
    AnsiString HrIni = "1930";
    AnsiString HrFim = "2130";
    AnsiString Telefone = "1133334444";
    AnsiString DataDigitos = "07122026";
    AnsiString Data = "07/12/2026";
    AnsiString Nome = "Maria Souza";
    AnsiString Descricao = "Aniversario";
    AnsiString Pessoas = "4";

    // Calls the package through its entry-point variable.
    void Run(Dbclient::TClientDataSet* reserva) const;
};

// The message of the Sysutils::Exception the action raised; empty when it raised none.
std::optional<AnsiString> RaisedBy(const std::function<void()>& action);

// A dataset of the reservation record holding one reservation as the host prepares it.
void PrepareReservation(Dbclient::TClientDataSet& dataset, const AnsiString& nrresmesa,
                        const AnsiString& cdfilial, const AnsiString& cdloja,
                        const AnsiString& cdoperincres);
