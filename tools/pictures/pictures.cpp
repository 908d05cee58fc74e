// Draws the terminal's day window and its timeline of the tables at 1024x768 and again full screen
// at 1920x1080, and the table grid, with a sample evening, into PNG files for the README:
// pictures DAYLIST.png TIMELINE.png TABLES.png DAYLIST-1920.png TIMELINE-1920.png. Runs offscreen
// on a throw-away database.
#include "daylist/daywindow.h"
#include "framework/datetime.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/mensagem.h"
#include "journal.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"
#include "reservas/store.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

const QDate sampleDay(2026, 12, 24);

struct SampleReservation {
    const char* hrIni;
    const char* hrFim;
    const char* telefone;
    const char* nome;
    const char* pessoas;
    std::vector<int> mesas;
    const char* descricao;
    QDate day = sampleDay;
};

// Stores the sample evening through the package, the grid answered with each one's tables.
void storeSampleEvening() {
    const SampleReservation evening[] = {
        {"1930", "2130", "1133334444", "Maria Souza", "4", {3}, "anivers\xE1rio", sampleDay},
        {"2000",
         "2200",
         "21987654321",
         "Fam\xEDlia Ara\xFAjo",
         "10",
         {7, 8, 12},
         "cadeira alta",
         sampleDay},
        {"1200", "1400", "1144445555", "Jo\xE3o Lima", "2", {}, "", sampleDay},
        {"2030", "2300", "1155556666", "Ana Ribeiro", "6", {5, 6}, "", sampleDay},
        {"2000", "2200", "1133334444", "Maria Souza", "2", {3}, "", sampleDay.addDays(-30)},
        {"2100", "2300", "1166667777", "Rui Prado", "3", {4}, "sem gl\xFAten", sampleDay},
        {"1230", "1400", "1177778888", "Lia Campos", "5", {9}, "", sampleDay},
        // Enough more that the list at 1024x768 scrolls and at 1920x1080 shows them all.
        {"1200", "1330", "1188889999", "Beatriz Nunes", "2", {1}, "", sampleDay},
        {"1230", "1400", "1199990000", "Carlos Mota", "4", {2}, "", sampleDay},
        {"1300", "1430", "1122223333", "Denise Alves", "3", {10}, "", sampleDay},
        {"1900", "2100", "1123456789", "Eduardo Reis", "2", {11}, "", sampleDay},
        {"1930", "2130", "1198765432", "Fernanda Luz", "5", {1, 2}, "", sampleDay},
        {"2130", "2330", "1134567890", "Gustavo Pires", "4", {9}, "", sampleDay},
    };
    for (const SampleReservation& sample : evening) {
        Reservas::SetTablePicker(
            [&sample](const Reservas::TableChoice&) { return std::optional(sample.mesas); });
        CriaMesasReserva(NewReservation, sample.hrIni, sample.hrFim, sample.telefone, "",
                         FromQString(sample.day.toString(QStringLiteral("dd/MM/yyyy"))),
                         sample.nome, sample.descricao, sample.pessoas, nullptr);
    }
    Reservas::SetTablePicker({});
    Reservas::CancelReservation("4");
    // Maria Souza came a month ago; Lia Campos came at lunch, and Jo\xE3o Lima did not.
    Reservas::MarkReservation("5", 0, Reservas::ServiceMark::Arrived);
    Reservas::MarkReservation("7", 0, Reservas::ServiceMark::Arrived);
    Reservas::MarkReservation("3", 0, Reservas::ServiceMark::NoShow);
}

// The list, then the timeline its Mesas key brings, the same reservation selected in both, in a
// window of the given size.
bool drawDayWindow(const QSize& size, const QString& listFile, const QString& timelineFile) {
    Journal journal;
    TDayWindow window([](int, Dbclient::TClientDataSet*) {}, journal);
    window.setFixedSize(size);
    window.show();
    QApplication::processEvents();
    auto* list = window.findChild<QTableWidget*>(QStringLiteral("dayList"));
    list->selectRow(3);
    if (!window.grab().save(listFile)) {
        return false;
    }
    auto* toggle = window.findChild<TBlendedButton*>(QStringLiteral("viewToggle"));
    toggle->OnClick(toggle);
    QApplication::processEvents();
    return window.grab().save(timelineFile);
}

// The grid a fifth reservation of the evening meets.
bool drawTableGrid(const QString& file) {
    bool saved = false;
    QTimer::singleShot(0, [&saved, &file] {
        QWidget* grid = QApplication::activeModalWidget();
        saved = grid != nullptr && grid->grab().save(file);
        if (grid != nullptr) {
            grid->close();
        }
    });
    Reservas::TableChoice choice;
    choice.Tables = Reservas::RestaurantTables();
    choice.Taken = {3, 5, 6, 7, 8, 12};
    choice.TakenUntil = {{3, "2130"}, {5, "2300"}, {6, "2300"},
                         {7, "2200"}, {8, "2200"}, {12, "2200"}};
    choice.Picked = {9, 10};
    choice.People = 10;
    choice.Heading = "24/12/2026 das 20:00 \xE0s 22:30 - Pedro Castro";
    Reservas::PickTables(choice);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 6) {
        std::fputs("usage: pictures DAYLIST.png TIMELINE.png TABLES.png DAYLIST-1920.png "
                   "TIMELINE-1920.png\n",
                   stderr);
        return 2;
    }
    const QTemporaryDir folder;
    Reservas::SetDatabaseLocation(folder.filePath(QStringLiteral("reservas.db")));
    Sysutils::SetClock([] { return QDateTime(sampleDay.addDays(-40), QTime(12, 34)); });
    SetMensagemObserver([](const MensagemCall&) { return true; });
    try {
        storeSampleEvening();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot store the sample evening: %s\n", error.what());
        return 1;
    }
    Sysutils::SetClock([] { return QDateTime(sampleDay, QTime(12, 34)); });
    if (!drawDayWindow(QSize(1024, 768), arguments[1], arguments[2]) ||
        !drawTableGrid(arguments[3]) ||
        !drawDayWindow(QSize(1920, 1080), arguments[4], arguments[5])) {
        std::fputs("cannot draw the pictures\n", stderr);
        return 1;
    }
    return 0;
}
