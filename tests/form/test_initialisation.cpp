#include "../support/parametersfile.h"
#include "formfixture.h"

#include "framework/data/db.h"
#include "framework/graphics.h"
#include "framework/screen.h"
#include "framework/sysutils.h"
#include "hostlib/parameters.h"
#include "module/cli_res01400.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

// This suite runs from a folder of its own, so the parameters files it writes beside the
// executable are seen by no other suite.
QString besideExecutable(const QString& name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

void removeParameterFiles() {
    const QDir folder(QCoreApplication::applicationDirPath());
    for (const QString& name :
         folder.entryList({QStringLiteral("*.cds"), QStringLiteral("*.CDS")}, QDir::Files)) {
        QFile::remove(folder.filePath(name));
    }
}

void writeParameters(const QString& name, const char* field, const AnsiString& value) {
    WriteParametersFile(besideExecutable(name), field, value);
}

} // namespace

class InitialisationTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        removeParameterFiles();
        ForgetParametersFile();
    }
    void cleanupTestCase() { removeParameterFiles(); }

    void newReservationStartsEmptyAtTheName() {
        FormWatch watch;
        const auto form = OpenForm(1, {PrefilledRow()});
        for (const Controls::TLabel* label :
             {form->lblNome, form->lblDtResMesa, form->lblHrIni, form->lblHrFim,
              form->lblNrTelResMesa, form->lblNrPesMesa, form->lblDsReserva}) {
            QCOMPARE(label->Caption(), AnsiString());
        }
        QCOMPARE(FormStateAccess::inCampo(*form), 1);
        QCOMPARE(form->lblDsNome->FontColor(), Graphics::clRed);
        QCOMPARE(form->lblDsData->FontColor(), Graphics::clBlack);
        QVERIFY(!form->sbtCalendario->isEnabled());
        QCOMPARE(FormStateAccess::stIdEsquema(*form), AnsiString());
    }

    void editModeFillsTheLabelsAndLeavesTheBuffersEmpty() {
        FormWatch watch;
        const auto form = OpenForm(2, {PrefilledRow()});
        QCOMPARE(form->lblNome->Caption(), AnsiString("Maria"));
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("24/12/2026"));
        QCOMPARE(form->lblHrIni->Caption(), AnsiString("09:30"));
        QCOMPARE(form->lblHrFim->Caption(), AnsiString("11:30"));
        QCOMPARE(form->lblNrTelResMesa->Caption(), AnsiString("(11) 3333-4444"));
        QCOMPARE(form->lblNrPesMesa->Caption(), AnsiString("4"));
        QCOMPARE(form->lblDsReserva->Caption(), AnsiString("Aniversario"));
        QCOMPARE(FormStateAccess::stDigHrIni(*form), AnsiString());
        QCOMPARE(FormStateAccess::stHrIni(*form), AnsiString());
        QCOMPARE(FormStateAccess::stTelefone(*form), AnsiString());
        QCOMPARE(Cli_res01400::inNrTipo, 2);
    }

    void editModeShowsAMobileNumberWithAllElevenDigits() {
        FormWatch watch;
        ReservationRow row = PrefilledRow();
        row.telefone = "11987654321";
        const auto form = OpenForm(2, {row});
        QCOMPARE(form->lblNrTelResMesa->Caption(), AnsiString("(11) 98765-4321"));
    }

    void editModeShowsADateWithItsTimeOfDay() {
        FormWatch watch;
        ReservationRow row = PrefilledRow();
        row.data = QDateTime(QDate(2026, 12, 24), QTime(19, 30));
        const auto form = OpenForm(2, {row});
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("24/12/2026 19:30:00"));
    }

    void theFirstOfSeveralReservationsIsShown() {
        FormWatch watch;
        ReservationRow second = PrefilledRow();
        second.nome = "Segunda";
        const auto reservation = MakeReservation({PrefilledRow(), second});
        reservation->Next(); // wherever the host stands, the copy starts at the first record
        TfrmInclusaoReserva form(nullptr);
        form.InicializaForm(2, reservation.get());
        QCOMPARE(form.lblNome->Caption(), AnsiString("Maria"));
    }

    void theFormWorksOnItsOwnCopyOfTheHostsData() {
        FormWatch watch;
        const auto reservation = MakeReservation({PrefilledRow()});
        TfrmInclusaoReserva form(nullptr);
        form.InicializaForm(2, reservation.get());
        form.cdsReserva->Edit();
        form.cdsReserva->FieldByName("NMRESMESA")->SetAsString("Changed");
        form.cdsReserva->Post();
        QCOMPARE(reservation->FieldByName("NMRESMESA")->AsString(), AnsiString("Maria"));
    }

    void theSchemeComesFromTheParametersFile() {
        FormWatch watch;
        writeParameters(QStringLiteral("PARAMETROSQUOR.CDS"), "IDESQUEMA", "2");
        const auto form = OpenForm(1);
        QCOMPARE(FormStateAccess::stIdEsquema(*form), AnsiString("2"));
        TapEnter(*form);
        QCOMPARE(watch.messages.size(), std::size_t(1));
        QCOMPARE(watch.messages[0].SchemeId, AnsiString("2"));
    }

    // The file is read once a run: a form opened later keeps the scheme read first, until the file
    // is forgotten.
    void theParametersFileIsReadOnce() {
        FormWatch watch;
        writeParameters(QStringLiteral("PARAMETROSQUOR.CDS"), "IDESQUEMA", "2");
        QCOMPARE(FormStateAccess::stIdEsquema(*OpenForm(1)), AnsiString("2"));
        writeParameters(QStringLiteral("PARAMETROSQUOR.CDS"), "IDESQUEMA", "3");
        QCOMPARE(FormStateAccess::stIdEsquema(*OpenForm(1)), AnsiString("2"));
        QCOMPARE(DisplayScheme(), AnsiString("2"));
        ForgetParametersFile();
        QCOMPARE(FormStateAccess::stIdEsquema(*OpenForm(1)), AnsiString("3"));
    }

    void aParametersFileCopiedWithAnotherLetterCaseIsFound() {
        FormWatch watch;
        writeParameters(QStringLiteral("ParametrosQuor.cds"), "IDESQUEMA", "7");
        const auto form = OpenForm(1);
        QCOMPARE(FormStateAccess::stIdEsquema(*form), AnsiString("7"));
    }

    void aParametersFileWithoutTheSchemeFailsTheInitialisation() {
        FormWatch watch;
        writeParameters(QStringLiteral("PARAMETROSQUOR.CDS"), "OUTRO", "2");
        const auto reservation = MakeReservation({});
        bool raised = false;
        try {
            Cli_res01400::CriaInclusaoReserva(1, reservation.get());
        } catch (const Db::EDatabaseError& error) {
            raised = AnsiString(error.what()).find("IDESQUEMA") != AnsiString::npos;
        }
        QVERIFY(raised);
        QCOMPARE(Cli_res01400::frmInclusaoReserva, nullptr);
        QVERIFY(!Cli_res01400::boInclusaoReser);
        QCOMPARE(Forms::Screen->Cursor(), Forms::crHourGlass);
        Forms::Screen->SetCursor(Forms::crDefault);
    }

    void aCorruptParametersFileFailsTheInitialisation() {
        FormWatch watch;
        QFile corrupt(besideExecutable(QStringLiteral("PARAMETROSQUOR.CDS")));
        QVERIFY(corrupt.open(QIODevice::WriteOnly));
        corrupt.write("\x96\x19\xE0\xBD\x01\x00");
        corrupt.close();
        const auto reservation = MakeReservation({});
        TfrmInclusaoReserva form(nullptr);
        QVERIFY_THROWS_EXCEPTION(Db::EDatabaseError, form.InicializaForm(1, reservation.get()));
    }

    void aKeyMissingFromTheLayoutStopsTheStartUpNamed() {
        TfrmInclusaoReserva form(nullptr);
        form.sbtQ->setObjectName(QStringLiteral("sbtRenamed"));
        const auto reservation = MakeReservation({});
        AnsiString error;
        try {
            form.InicializaForm(1, reservation.get());
        } catch (const Sysutils::Exception& raised) {
            error = raised.Message();
        }
        QVERIFY2(error.find("sbtQ") != AnsiString::npos, error.c_str());
    }

    void exitKeyEndsTheEntryFunction() {
        FormWatch watch;
        const auto reservation = MakeReservation({PrefilledRow()});
        for (int step = 1; step <= 7; ++step) {
            WhenShown([step](TfrmInclusaoReserva& form) {
                for (int accepted = 1; accepted < step; ++accepted) {
                    TapEnter(form);
                }
                QCOMPARE(FormStateAccess::inCampo(form), step);
                form.sbtSair->Click();
            });
            const ClockAt clock(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
            Cli_res01400::CriaInclusaoReserva(2, reservation.get());
            QCOMPARE(Cli_res01400::frmInclusaoReserva, nullptr);
            QVERIFY(!Cli_res01400::boInclusaoReser);
        }
        QVERIFY(watch.handOffs.empty());
    }
};

QTEST_MAIN(InitialisationTest)
#include "test_initialisation.moc"
