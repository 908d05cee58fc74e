#include "formfixture.h"

#include "framework/graphics.h"

#include <QPaintEvent>
#include <QTest>

namespace {

const QDate today(2026, 12, 8);

// Counts the form's immediate repaints.
class RepaintCounter : public QObject {
public:
    explicit RepaintCounter(QWidget* form) { form->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

AnsiString latin1(const char* utf8) {
    return FromQString(QString::fromUtf8(utf8));
}

} // namespace

class StepsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ClockAt> clock;

private slots:
    void init() { clock = std::make_unique<ClockAt>(QDateTime(today, QTime(10, 0, 30))); }
    void cleanup() { clock.reset(); }

    void rejections_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("emptied");
        QTest::addColumn<bool>("repainted");

        QTest::newRow("no name") << 1 << QByteArray() << QByteArray("Nome deve ser informado.")
                                 << false << true;
        QTest::newRow("no date") << 2 << QByteArray()
                                 << QByteArray("Data da reserva deve ser informada.") << false
                                 << true;
        QTest::newRow("impossible date")
            << 2 << QByteArray("31022024") << QByteArray("31/02/2024 não é uma data válida.")
            << true << false;
        QTest::newRow("incomplete date")
            << 2 << QByteArray("1203") << QByteArray("12/03/ não é uma data válida.") << true
            << false;
        QTest::newRow("yesterday")
            << 2 << QByteArray("07122026")
            << QByteArray("Data da reserva não pode ser menor que a data corrente.") << true
            << true;
        QTest::newRow("no start") << 3 << QByteArray()
                                  << QByteArray("Horário inicial deve ser informado.") << false
                                  << true;
        QTest::newRow("start 25:00") << 3 << QByteArray("2500")
                                     << QByteArray("25:00 não é uma hora válida.") << true << false;
        QTest::newRow("no end") << 4 << QByteArray()
                                << QByteArray("Horário final deve ser informado.") << false << true;
        QTest::newRow("end 24:00") << 4 << QByteArray("2400")
                                   << QByteArray("24:00 não é uma hora válida.") << true << false;
        QTest::newRow("end equals start")
            << 4 << QByteArray("1930")
            << QByteArray("Horário final deve ser maior que horário inicial.") << true << false;
        QTest::newRow("end before start")
            << 4 << QByteArray("1800")
            << QByteArray("Horário final deve ser maior que horário inicial.") << true << false;
        QTest::newRow("end after midnight")
            << 4 << QByteArray("0100")
            << QByteArray("Horário final deve ser maior que horário inicial.") << true << false;
        QTest::newRow("no telephone")
            << 5 << QByteArray() << QByteArray("Telefone deve ser informado.") << false << true;
        QTest::newRow("no people")
            << 6 << QByteArray() << QByteArray("Número de pessoas deve ser informado.") << false
            << true;
        QTest::newRow("zero people")
            << 6 << QByteArray("0") << QByteArray("Número de pessoas não pode ser igual a zero.")
            << true << false;
        QTest::newRow("three zeros")
            << 6 << QByteArray("000") << QByteArray("Número de pessoas não pode ser igual a zero.")
            << true << false;
    }

    void rejections() {
        QFETCH(int, step);
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, message);
        QFETCH(bool, emptied);
        QFETCH(bool, repainted);
        FormWatch watch;
        const auto form = FormAtStep(step);
        Controls::TLabel* labels[] = {form->lblNome,  form->lblDtResMesa,    form->lblHrIni,
                                      form->lblHrFim, form->lblNrTelResMesa, form->lblNrPesMesa};
        Controls::TLabel* label = labels[step - 1];
        const AnsiString startBefore = form->lblHrIni->Caption();
        Tap(*form, typed.toStdString());
        const AnsiString shown = label->Caption();
        RepaintCounter repaints(form.get());
        TapEnter(*form);
        QCOMPARE(watch.messageTexts(), std::vector<AnsiString>{latin1(message.constData())});
        QCOMPARE(label->Caption(), emptied ? AnsiString() : shown);
        QCOMPARE(repaints.count > 0, repainted);
        QCOMPARE(FormStateAccess::inCampo(*form), step);
        QVERIFY(watch.errors.empty());
        if (step == 4) {
            QCOMPARE(form->lblHrIni->Caption(), startBefore);
        }
        if (emptied && step >= 2 && step <= 4) {
            const AnsiString buffers[] = {FormStateAccess::stDigData(*form),
                                          FormStateAccess::stDigHrIni(*form),
                                          FormStateAccess::stDigHrFim(*form)};
            QCOMPARE(buffers[step - 2], AnsiString());
        }
        // Enter again runs the same checks from the first.
        TapEnter(*form);
        QCOMPARE(FormStateAccess::inCampo(*form), step);
    }

    void theMarkerFollowsTheAcceptedSteps() {
        FormWatch watch;
        const auto form = FormAtStep(1);
        Controls::TLabel* captions[] = {
            form->lblDsNome,         form->lblDsData,      form->lblDsHrIni, form->lblDsHrFin,
            form->lblDsNrTelResMesa, form->lblDsNrPesMesa, form->lblDsReserv};
        const char* entries[] = {"Ana", "24122026", "1930", "2130", "1133334444", "4"};
        for (int step = 1; step <= 6; ++step) {
            Tap(*form, entries[step - 1]);
            TapEnter(*form);
            QCOMPARE(FormStateAccess::inCampo(*form), step + 1);
            for (int caption = 0; caption < 7; ++caption) {
                const Graphics::TColor expected = caption < step    ? Graphics::clHighlight
                                                  : caption == step ? Graphics::clRed
                                                                    : Graphics::clBlack;
                QCOMPARE(captions[caption]->FontColor(), expected);
            }
            QCOMPARE(form->sbtCalendario->isEnabled(), step == 1);
        }
        QVERIFY(watch.messages.empty());
    }

    void startTimeAgainstTheClock_data() {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("today, a minute ago")
            << QByteArray("08122026") << QByteArray("0959") << false;
        QTest::newRow("today, the current minute under way")
            << QByteArray("08122026") << QByteArray("1000") << false;
        QTest::newRow("today, a minute ahead")
            << QByteArray("08122026") << QByteArray("1001") << true;
        QTest::newRow("tomorrow, earlier than now")
            << QByteArray("09122026") << QByteArray("0800") << true;
        QTest::newRow("today with a two-digit year")
            << QByteArray("081226") << QByteArray("0959") << false;
    }

    void startTimeAgainstTheClock() {
        QFETCH(QByteArray, date);
        QFETCH(QByteArray, start);
        QFETCH(bool, accepted);
        FormWatch watch;
        const auto form = FormAtStep(2);
        Tap(*form, date.toStdString());
        TapEnter(*form);
        Tap(*form, start.toStdString());
        TapEnter(*form);
        QCOMPARE(FormStateAccess::inCampo(*form), accepted ? 4 : 3);
        if (!accepted) {
            QCOMPARE(watch.messageTexts(),
                     std::vector<AnsiString>{
                         latin1("Horário inicial deve ser igual ou maior que o horário atual.")});
            QCOMPARE(form->lblHrIni->Caption(), AnsiString());
        }
    }

    void theStartMinuteIsAcceptedAtItsFirstMillisecond() {
        clock = std::make_unique<ClockAt>(QDateTime(today, QTime(10, 0)));
        FormWatch watch;
        const auto form = FormAtStep(2);
        Tap(*form, "08122026");
        TapEnter(*form);
        Tap(*form, "1000");
        TapEnter(*form);
        QCOMPARE(FormStateAccess::inCampo(*form), 4);
    }

    void timesAreComparedAsTimesNotTexts() {
        FormWatch watch;
        const auto form = FormAtStep(3);
        Tap(*form, "0930");
        TapEnter(*form);
        Tap(*form, "945");
        QCOMPARE(form->lblHrFim->Caption(), AnsiString(" 9:45"));
        TapEnter(*form);
        QCOMPARE(FormStateAccess::inCampo(*form), 5);
        QCOMPARE(FormStateAccess::stHrFim(*form), AnsiString("945"));
    }

    void threeDigitStartTimeIsHandedOnAsTyped() {
        FormWatch watch;
        const auto form = FormAtStep(3);
        Tap(*form, "930");
        QCOMPARE(form->lblHrIni->Caption(), AnsiString(" 9:30"));
        TapEnter(*form);
        QCOMPARE(FormStateAccess::inCampo(*form), 4);
        QCOMPARE(FormStateAccess::stHrIni(*form), AnsiString("930"));
    }

    void datesTypedShortAreAccepted() {
        FormWatch watch;
        const auto form = FormAtStep(2);
        Tap(*form, "071226");
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("07/12/26"));
        TapEnter(*form); // yesterday in two-digit form
        QCOMPARE(FormStateAccess::inCampo(*form), 2);
        Tap(*form, "2412");
        form->sbtBackSpace->Click();
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("24/12"));
        TapEnter(*form);
        QCOMPARE(FormStateAccess::inCampo(*form), 3);
        QCOMPARE(FormStateAccess::stData(*form), AnsiString("2412"));
    }

    void aPartTelephoneIsAccepted() {
        FormWatch watch;
        const auto form = FormAtStep(5);
        Tap(*form, "119");
        TapEnter(*form);
        QCOMPARE(FormStateAccess::inCampo(*form), 6);
        QCOMPARE(FormStateAccess::stTelefone(*form), AnsiString("119"));
    }

    void handOffOfANewReservation() {
        FormWatch watch;
        const auto form = FormAtStep(7);
        TapEnter(*form);
        QCOMPARE(watch.handOffs.size(), std::size_t(1));
        const HandOff& handOff = watch.handOffs[0];
        QCOMPARE(handOff.tipo, 1);
        QCOMPARE(handOff.hrIni, AnsiString("1930"));
        QCOMPARE(handOff.hrFim, AnsiString("2130"));
        QCOMPARE(handOff.telefone, AnsiString("1133334444"));
        QCOMPARE(handOff.dataDigitos, AnsiString("24122026"));
        QCOMPARE(handOff.data, AnsiString("24/12/2026"));
        QCOMPARE(handOff.nome, AnsiString("Ana"));
        QCOMPARE(handOff.descricao, AnsiString());
        QCOMPARE(handOff.pessoas, AnsiString("4"));
        QCOMPARE(handOff.reserva, form->cdsReserva);
        QVERIFY(!form->isVisible());
        QCOMPARE(form->lblDsReserv->FontColor(), Graphics::clHighlight);
        QCOMPARE(FormStateAccess::inCampo(*form), 7);
    }

    void editedReservationHandsOnValuesRebuiltFromItsLabels() {
        FormWatch watch;
        ReservationRow row = PrefilledRow();
        row.hrIni = "1230";
        row.hrFim = "1400";
        row.telefone = "2133334444";
        row.pessoas = "05";
        row.descricao = "Janela";
        const auto form = OpenForm(2, {row});
        for (int step = 1; step <= 7; ++step) {
            TapEnter(*form);
        }
        QVERIFY(watch.messages.empty());
        QCOMPARE(watch.handOffs.size(), std::size_t(1));
        const HandOff& handOff = watch.handOffs[0];
        QCOMPARE(handOff.tipo, 2);
        QCOMPARE(handOff.hrIni, AnsiString("1230"));
        QCOMPARE(handOff.hrFim, AnsiString("1400"));
        QCOMPARE(handOff.telefone, AnsiString("2133334444"));
        QCOMPARE(handOff.dataDigitos, AnsiString());
        QCOMPARE(handOff.pessoas, AnsiString("05"));
        QCOMPARE(handOff.descricao, AnsiString("Janela"));
    }

    // "<" in an entry is a tap on Backspace; an empty entry is Enter alone.
    void whatIsHandedOnIsWhatWasAccepted_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("hrIni");
        QTest::addColumn<QByteArray>("hrFim");
        QTest::addColumn<QByteArray>("telefone");

        const auto typed = [](const char* date, const char* start, const char* end,
                              const char* telephone) {
            return QByteArrayList{"Ana", date, start, end, telephone, "4", ""};
        };
        const auto edited = [](int step) {
            QByteArrayList entries(7);
            entries[step - 1] = "<";
            return entries;
        };
        QTest::newRow("start shortened, end checked against it")
            << 1 << typed("24122026", "1930<", "1915", "1133334444") << QByteArray("24/12/2026")
            << QByteArray("1903") << QByteArray("1915") << QByteArray("1133334444");
        QTest::newRow("start typed on after a Backspace")
            << 1 << typed("24122026", "1930<5", "2130", "1133334444") << QByteArray("24/12/2026")
            << QByteArray("1935") << QByteArray("2130") << QByteArray("1133334444");
        QTest::newRow("telephone shortened by two")
            << 1 << typed("24122026", "1930", "2130", "1133334444<<") << QByteArray("24/12/2026")
            << QByteArray("1930") << QByteArray("2130") << QByteArray("11333344");
        QTest::newRow("eleven telephone digits less one")
            << 1 << typed("24122026", "1930", "2130", "21912345678<") << QByteArray("24/12/2026")
            << QByteArray("1930") << QByteArray("2130") << QByteArray("2191234567");
        QTest::newRow("year removed from the date")
            << 1 << typed("24122027<<<<<", "1930", "2130", "1133334444") << QByteArray("24/12")
            << QByteArray("1930") << QByteArray("2130") << QByteArray("1133334444");
        QTest::newRow("prefilled start shortened")
            << 2 << edited(3) << QByteArray("24/12/2026") << QByteArray("0903")
            << QByteArray("1130") << QByteArray("1133334444");
        QTest::newRow("prefilled end shortened")
            << 2 << edited(4) << QByteArray("24/12/2026") << QByteArray("0930")
            << QByteArray("1103") << QByteArray("1133334444");
        QTest::newRow("prefilled telephone shortened")
            << 2 << edited(5) << QByteArray("24/12/2026") << QByteArray("0930")
            << QByteArray("1130") << QByteArray("113333444");
    }

    void whatIsHandedOnIsWhatWasAccepted() {
        QFETCH(int, tipo);
        QFETCH(QByteArrayList, entries);
        FormWatch watch;
        const auto form = tipo == 2 ? OpenForm(2, {PrefilledRow()}) : OpenForm(1);
        for (const QByteArray& entry : entries) {
            for (const char key : entry) {
                if (key == '<') {
                    form->sbtBackSpace->Click();
                } else {
                    Tap(*form, AnsiString(1, key));
                }
            }
            TapEnter(*form);
        }
        QVERIFY(watch.messages.empty());
        QCOMPARE(watch.handOffs.size(), std::size_t(1));
        const HandOff& handOff = watch.handOffs[0];
        QTEST(QByteArray::fromStdString(handOff.data), "data");
        QTEST(QByteArray::fromStdString(handOff.hrIni), "hrIni");
        QTEST(QByteArray::fromStdString(handOff.hrFim), "hrFim");
        QTEST(QByteArray::fromStdString(handOff.telefone), "telefone");
    }

    void anElevenDigitPrefilledTelephoneIsHandedOnWhole() {
        FormWatch watch;
        ReservationRow row = PrefilledRow();
        row.telefone = "21987654321";
        const auto form = OpenForm(2, {row});
        for (int step = 1; step <= 7; ++step) {
            TapEnter(*form);
        }
        QCOMPARE(watch.handOffs.at(0).telefone, AnsiString("21987654321"));
    }

    void aPrefilledDateWithATimeOfDayIsRejected() {
        FormWatch watch;
        ReservationRow row = PrefilledRow();
        row.data = QDateTime(QDate(2026, 12, 24), QTime(19, 30));
        const auto form = OpenForm(2, {row});
        TapEnter(*form);
        TapEnter(*form);
        QCOMPARE(watch.messageTexts(),
                 std::vector<AnsiString>{latin1("24/12/2026 19:30:00 não é uma data válida.")});
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString());
    }

    void aFailedHandOffKeepsTheEntry() {
        FormWatch watch;
        watch.handOffFailure = "disk full";
        const auto form = FormAtStep(7);
        Tap(*form, "janela");
        TapEnter(*form);
        QCOMPARE(watch.errors, std::vector<AnsiString>{"disk full"});
        QVERIFY(form->isVisible());
        QCOMPARE(FormStateAccess::inCampo(*form), 7);
        QCOMPARE(form->lblDsReserva->Caption(), AnsiString("janela"));
        QCOMPARE(form->lblDsReserv->FontColor(), Graphics::clRed);
        TapEnter(*form);
        QCOMPARE(watch.handOffs.size(), std::size_t(2));
        QVERIFY(!form->isVisible());
    }

    void aMissingPackageRoutineIsAClearError() {
        FormWatch watch;
        const auto form = FormAtStep(7);
        CriaMesasReserva = nullptr;
        TapEnter(*form);
        QCOMPARE(watch.errors.size(), std::size_t(1));
        QVERIFY(!watch.errors[0].empty());
        QVERIFY(form->isVisible());
        TouchCalendar = nullptr;
        const auto atDate = FormAtStep(2);
        atDate->sbtCalendario->Click();
        QCOMPARE(watch.errors.size(), std::size_t(2));
        QCOMPARE(FormStateAccess::inCampo(*atDate), 2);
    }

    void calendarPickAtTheDateStep() {
        FormWatch watch;
        watch.calendarAnswer = "01/12/2026"; // in the past: a pick is taken as given
        const auto form = FormAtStep(2);
        form->sbtCalendario->Click();
        QCOMPARE(watch.calendarCalls, 1);
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString("01/12/2026"));
        QCOMPARE(FormStateAccess::inCampo(*form), 3);
        QVERIFY(!form->sbtCalendario->isEnabled());
        QCOMPARE(form->lblDsData->FontColor(), Graphics::clHighlight);
        QCOMPARE(form->lblDsHrIni->FontColor(), Graphics::clRed);
        QCOMPARE(FormStateAccess::stData(*form), AnsiString());
    }

    void anEmptyCalendarAnswerChangesNothing() {
        FormWatch watch;
        watch.calendarAnswer = "  ";
        const auto form = FormAtStep(2);
        form->sbtCalendario->Click();
        QCOMPARE(FormStateAccess::inCampo(*form), 2);
        QVERIFY(form->sbtCalendario->isEnabled());
        QCOMPARE(form->lblDtResMesa->Caption(), AnsiString());
    }

    void theCalendarDoesNothingAtOtherSteps() {
        FormWatch watch;
        watch.calendarAnswer = "24/12/2026";
        const auto form = FormAtStep(3);
        form->sbtCanlendarioClick(form->sbtCalendario);
        QCOMPARE(watch.calendarCalls, 0);
        QCOMPARE(FormStateAccess::inCampo(*form), 3);
    }

    void aCalendarTextThatIsNoDateIsReportedAtTheStartTime() {
        FormWatch watch;
        watch.calendarAnswer = "amanha";
        const auto form = FormAtStep(2);
        form->sbtCalendario->Click();
        Tap(*form, "1930");
        TapEnter(*form);
        QCOMPARE(watch.errors.size(), std::size_t(1));
        QVERIFY(watch.errors[0].find("amanha") != AnsiString::npos);
        QVERIFY(watch.messages.empty());
        QCOMPARE(FormStateAccess::inCampo(*form), 3);
    }

    void enterWithShiftArmedLeavesCapitalCaptionsButTypesLowerCase() {
        FormWatch watch;
        const auto form = FormAtStep(1);
        TapEnter(*form);
        QVERIFY(!FormStateAccess::boShift(*form));
        QCOMPARE(Caption(form->sbtA), AnsiString("A"));
        Tap(*form, "ab");
        QCOMPARE(form->lblNome->Caption(), AnsiString("ab"));
        QCOMPARE(Caption(form->sbtA), AnsiString("A"));
    }
};

QTEST_MAIN(StepsTest)
#include "test_steps.moc"
