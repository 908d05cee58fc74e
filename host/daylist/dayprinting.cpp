#include "daylist/dayprinting.h"

#include "daylist/daycovers.h"
#include "daylist/daydisplay.h"
#include "daylist/timeline.h"
#include "framework/sysutils.h"
#include "regularfile.h"
#include "terminaltexts.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// The page is drawn in units of a thousandth of its printable width, whatever the device's
// resolution, so that sizes below read like the screen's pixels.
constexpr double pageUnits = 1000.0;
constexpr double marginMillimetres = 12.0;
constexpr int rowHeight = 26;
constexpr int pdfResolution = 300;

struct PrintColumn {
    const char* headingKey;
    int width;
    Qt::Alignment alignment;
};

constexpr PrintColumn columns[] = {
    {"COL_INICIO", 60, Qt::AlignCenter},    {"COL_FIM", 60, Qt::AlignCenter},
    {"COL_NOME", 220, Qt::AlignLeft},       {"COL_PESSOAS", 70, Qt::AlignCenter},
    {"COL_TELEFONE", 135, Qt::AlignCenter}, {"COL_SITUACAO", 95, Qt::AlignCenter},
    {"COL_MESAS", 100, Qt::AlignCenter},    {"COL_DESCRICAO", 260, Qt::AlignLeft},
};

QFont arial(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QStringList cellsOf(const Reservas::DayReservation& reservation) {
    const DayRow row = DayRowOf(reservation);
    QStringList cells;
    for (const AnsiString* text : {&row.Start, &row.End, &row.Name, &row.People, &row.Telephone,
                                   &row.Status, &row.Tables, &reservation.Reservation.DSRESMESA}) {
        cells << ToQString(*text);
    }
    return cells;
}

class PagePainter {
public:
    explicit PagePainter(QPagedPaintDevice& device) : device_(device), painter_(&device) {
        scale_ = device.width() / pageUnits;
        painter_.scale(scale_, scale_);
    }
    QPainter& painter() { return painter_; }
    int height() const { return int(device_.height() / scale_); }
    // A fresh page, drawn in page units from its top left corner.
    void newPage() {
        device_.newPage();
        painter_.resetTransform();
        painter_.scale(scale_, scale_);
    }

    // A line of cells; the y of the next.
    int cells(int y, const QStringList& texts, bool struck) {
        int x = 0;
        QFont font = painter_.font();
        font.setStrikeOut(struck);
        painter_.setFont(font);
        for (qsizetype index = 0; index < texts.size(); ++index) {
            const PrintColumn& column = columns[index];
            const QRect place(x + 4, y, column.width - 8, rowHeight);
            painter_.drawText(
                place, int(column.alignment | Qt::AlignVCenter),
                painter_.fontMetrics().elidedText(texts[index], Qt::ElideRight, place.width()));
            x += column.width;
        }
        painter_.drawLine(0, y + rowHeight, int(pageUnits), y + rowHeight);
        return y + rowHeight;
    }

private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    double scale_ = 1.0;
};

int paintHeadings(PagePainter& page, int y) {
    QStringList headings;
    for (const PrintColumn& column : columns) {
        headings << ToQString(TerminalText(column.headingKey));
    }
    page.painter().setFont(arial(14, true));
    return page.cells(y, headings, false);
}

void paintList(PagePainter& page, const DayContents& day, int dinnerFrom) {
    QPainter& painter = page.painter();
    const int width = int(pageUnits);
    painter.setPen(Qt::black);
    painter.setFont(arial(16, false));
    painter.drawText(QRect(0, 0, width, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     ToQString(TerminalText("TITULO")));
    painter.setFont(arial(30, true));
    painter.drawText(QRect(0, 24, width, 44), Qt::AlignLeft | Qt::AlignVCenter,
                     DayHeading(day.Day));
    painter.setFont(arial(16, false));
    painter.drawText(QRect(0, 70, width, 26), Qt::AlignLeft | Qt::AlignVCenter,
                     CoversText(CoversOf(day.Reservations, dinnerFrom)));
    int y = paintHeadings(page, 112);
    if (day.Reservations.empty()) {
        painter.setFont(arial(16, false));
        painter.drawText(QRect(0, y, width, 2 * rowHeight), Qt::AlignCenter,
                         ToQString(TerminalText("SEM_RESERVAS")));
        return;
    }
    for (const Reservas::DayReservation& reservation : day.Reservations) {
        if (y + rowHeight > page.height()) {
            page.newPage();
            y = paintHeadings(page, 0);
        }
        painter.setFont(arial(14, false));
        y = page.cells(y, cellsOf(reservation), reservation.Reservation.IDSTRESMESA == "C");
    }
}

// The timeline across the page's length: the page turned a quarter.
void paintTimelinePage(PagePainter& page, const DayContents& day) {
    page.newPage();
    QPainter& painter = page.painter();
    const int across = page.height();
    const int width = int(pageUnits);
    painter.translate(pageUnits, 0);
    painter.rotate(90);
    painter.setPen(Qt::black);
    painter.setFont(arial(24, true));
    painter.drawText(QRect(0, 0, across, 36), Qt::AlignLeft | Qt::AlignVCenter,
                     DayHeading(day.Day));
    PaintTimeline(painter, QRect(0, 44, across, width - 44),
                  TimelineOf(day.Reservations, day.Tables), SchemeFor("2"), {});
}

void prepare(QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(
        QMarginsF(marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres),
        QPageLayout::Millimeter);
}

} // namespace

void PaintDay(QPagedPaintDevice& device, const DayContents& day, int dinnerFrom) {
    PagePainter page(device);
    paintList(page, day, dinnerFrom);
    paintTimelinePage(page, day);
}

void WriteDayPdf(const QString& file, const DayContents& day, int dinnerFrom) {
    QFile output(file);
    QString reason;
    switch (OpenRegularFile(output, QIODevice::WriteOnly, FileUse::Printout, reason)) {
    case FileOpening::Opened:
        break;
    case FileOpening::Refused:
        throw Sysutils::Exception(FromQStringEscaped(reason));
    case FileOpening::Missing:
    case FileOpening::Failed:
        throw Sysutils::Exception(TerminalText("PDF_FALHOU", file), FromQStringEscaped(reason));
    }
    {
        QPdfWriter writer(&output);
        writer.setResolution(pdfResolution);
        writer.setTitle(DayHeading(day.Day));
        prepare(writer);
        PaintDay(writer, day, dinnerFrom);
    }
    if (output.error() != QFileDevice::NoError) {
        throw Sysutils::Exception(TerminalText("PDF_FALHOU", file),
                                  FromQStringEscaped(output.errorString()));
    }
}

void PrintDayOn(const QPrinterInfo& printer, const DayContents& day, int dinnerFrom) {
    QPrinter job(printer, QPrinter::HighResolution);
    job.setDocName(DayHeading(day.Day));
    prepare(job);
    PaintDay(job, day, dinnerFrom);
    if (job.printerState() == QPrinter::Error || job.printerState() == QPrinter::Aborted) {
        throw Sysutils::Exception(TerminalText("IMPRESSORA_FALHOU", printer.printerName()));
    }
}
