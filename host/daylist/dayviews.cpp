#include "daylist/daycovers.h"
#include "daylist/dayprinting.h"
#include "daylist/daywindow.h"
#include "daylist/reservationlist.h"
#include "daylist/timelineview.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/mensagem.h"
#include "journal.h"
#include "terminaltexts.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

// A day printed without a printer goes beside the journal, where whoever supports the terminal
// looks first; without a journal, in the user's data folder. Printed again, the newer wins.
QString printoutFile(const QString& journal, const QDate& day) {
    const QString folder = journal.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                               : QFileInfo(journal).absolutePath();
    QDir().mkpath(folder);
    return QDir(folder).filePath(
        QStringLiteral("reservas-%1.pdf").arg(day.toString(QStringLiteral("yyyy-MM-dd"))));
}

} // namespace

void TDayWindow::buildViews(QWidget* panel) {
    covers_ = new QLabel(panel);
    covers_->setObjectName(QStringLiteral("dayCovers"));
    covers_->setAlignment(Qt::AlignCenter);
    covers_->setPalette(heading_->palette());

    timeline_ = new TimelineView(scheme_, panel);
    timeline_->hide();
    // The list's selection is the window's: Alterar and Cancelar act on the block tapped.
    timeline_->OnTap = [this](const AnsiString& nrresmesa) { list_->SelectNumber(nrresmesa); };
}

void TDayWindow::SetDinnerFrom(int hour) {
    dinnerFrom_ = hour;
    covers_->setText(CoversText(CoversOf(contents_.Reservations, dinnerFrom_)));
}

// Every reading of the day reaches the list, the covers and the timeline alike.
void TDayWindow::showContents(const DayContents& contents) {
    const bool sameDay = contents.Day == contents_.Day;
    contents_ = contents;
    std::vector<DayRow> rows;
    for (const Reservas::DayReservation& reservation : contents_.Reservations) {
        rows.push_back(DayRowOf(reservation));
    }
    list_->ShowRows(rows, sameDay);
    covers_->setText(CoversText(CoversOf(contents_.Reservations, dinnerFrom_)));
    timeline_->ShowTimeline(TimelineOf(contents_.Reservations, contents_.Tables));
    updateKeys();
}

void TDayWindow::followSelection() {
    const DayRow* selected = list_->Selected();
    timeline_->SetSelected(selected != nullptr ? selected->Number : AnsiString());
}

void TDayWindow::toggleView() {
    const bool showTimeline = timeline_->isHidden();
    timeline_->setVisible(showTimeline);
    list_->setVisible(!showTimeline);
    viewKey_->SetCaption(TerminalText(showTimeline ? "TECLA_LISTA" : "TECLA_MESAS"));
}

// Prints the day as the screen shows it: on the default printer when the system has one, else
// to a PDF the operator is told of.
void TDayWindow::printDay() {
    if (!contents_.Day.isValid()) {
        return;
    }
    const QString day = contents_.Day.toString(QStringLiteral("dd/MM/yyyy"));
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    QString file;
    if (printer.isNull()) {
        file = printoutFile(journal_.fileName(), contents_.Day);
        WriteDayPdf(file, contents_, dinnerFrom_);
    } else {
        PrintDayOn(printer, contents_, dinnerFrom_);
    }
    if (printer.isNull()) {
        journal_.write({{"event", "printed"}, {"file", file}});
        Mensagem(TerminalText("SALVO_PDF", day, file), "", "N", "N", tmNotice, "", schemeId_, 0,
                 nullptr);
    } else {
        journal_.write({{"event", "printed"}, {"printer", printer.printerName()}});
        Mensagem(TerminalText("IMPRESSO", day, printer.printerName()), "", "N", "N", tmNotice, "",
                 schemeId_, 0, nullptr);
    }
}
