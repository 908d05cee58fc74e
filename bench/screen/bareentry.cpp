#include "bareentry.h"

#include "barescreen.h"
#include "support/bareinsert.h"

#include <QLabel>
#include <QPushButton>

namespace Bench {

BareEntry::BareEntry(BareScreen& screen, BareInsert& store, int day, std::function<void()> stored)
    : screen_(screen), store_(store), day_(day), stored_(std::move(stored)) {
    for (const char* name : {"lblNome", "lblDtResMesa", "lblHrIni", "lblHrFim", "lblNrTelResMesa",
                             "lblNrPesMesa", "lblDsReserva"}) {
        QLabel* label = screen.Label(QString::fromLatin1(name));
        if (label == nullptr) {
            failed_ = true;
            return;
        }
        entries_.push_back(label);
    }
    for (QPushButton* key : screen.findChildren<QPushButton*>()) {
        connect(key, &QPushButton::clicked, this, [this, key] { tapped(key->objectName()); });
    }
}

void BareEntry::tapped(const QString& key) {
    if (failed_ || current_ >= entries_.size()) {
        return;
    }
    if (key != QLatin1String("sbtEnter")) {
        const QString character =
            key == QLatin1String("sbtEspaco") ? QStringLiteral(" ") : key.mid(3).toLower();
        entries_[current_]->setText(entries_[current_]->text() + character);
        return;
    }
    if (++current_ < entries_.size()) {
        return;
    }
    failed_ = !store_.Insert(day_);
    stored_();
    screen_.done(QDialog::Accepted);
}

} // namespace Bench
