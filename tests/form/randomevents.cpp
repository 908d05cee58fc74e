#include "randomevents.h"

#include "formfixture.h"
#include "framework/data/db.h"
#include "framework/datetime.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <algorithm>

namespace {

// How often the operator leaves the screen, and how often an entry is typed whole.
constexpr double exitChance = 1.0 / 500;
constexpr double entryChance = 0.12;
constexpr double tapChance = 0.45;

RandomEvent press(int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {}) {
    RandomEvent event;
    event.key = key;
    event.modifiers = modifiers;
    event.text = text;
    return event;
}

// A character key as a keyboard sends it: Qt names letters, digits and Latin-1 keys by the
// upper-case code, and a capital comes with Shift held.
RandomEvent physicalCharacter(char typed, bool keypad = false) {
    const QChar character = QChar::fromLatin1(typed);
    Qt::KeyboardModifiers modifiers;
    if (character.isUpper()) {
        modifiers |= Qt::ShiftModifier;
    }
    if (keypad) {
        modifiers |= Qt::KeypadModifier;
    }
    return press(int(character.toUpper().unicode()), modifiers, QString(character));
}

QString printable(const QString& text) {
    QString shown;
    for (const QChar character : text) {
        shown += character.isPrint()
                     ? QString(character)
                     : QStringLiteral("\\x%1").arg(character.unicode(), 2, 16, QLatin1Char('0'));
    }
    return shown;
}

} // namespace

bool RandomEvent::IsEnter(const TfrmInclusaoReserva& form) const {
    return tapped.isEmpty() ? key == Qt::Key_Return || key == Qt::Key_Enter
                            : tapped == form.sbtEnter->objectName();
}

bool RandomEvent::IsCalendar(const TfrmInclusaoReserva& form) const {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier);
    return tapped.isEmpty() ? key == Qt::Key_D && held == Qt::AltModifier
                            : tapped == form.sbtCalendario->objectName();
}

bool RandomEvent::IsExit(const TfrmInclusaoReserva& form) const {
    return tapped.isEmpty() ? key == Qt::Key_Escape : tapped == form.sbtSair->objectName();
}

QString RandomEvent::Describe() const {
    if (!tapped.isEmpty()) {
        return QStringLiteral("tap %1").arg(tapped);
    }
    const QKeySequence sequence(QKeyCombination(modifiers, Qt::Key(key)));
    return QStringLiteral("key %1 \"%2\"").arg(sequence.toString(), printable(text));
}

void Deliver(TfrmInclusaoReserva& form, const RandomEvent& event) {
    if (!event.tapped.isEmpty()) {
        form.findChild<TBlendedButton*>(event.tapped)->Click();
        return;
    }
    QKeyEvent pressed(QEvent::KeyPress, event.key, event.modifiers, event.text);
    QApplication::sendEvent(&form, &pressed);
}

RandomEvents::RandomEvents(std::mt19937& random, const TfrmInclusaoReserva& form)
    : random_(random), exitKey_(form.sbtSair->objectName()),
      enterKey_(form.sbtEnter->objectName()) {
    for (const TBlendedButton* key : form.findChildren<TBlendedButton*>()) {
        if (key->objectName() != exitKey_) {
            keys_.append(key->objectName());
        }
    }
    std::sort(keys_.begin(), keys_.end());
}

bool RandomEvents::chance(double probability) {
    return std::bernoulli_distribution(probability)(random_);
}

int RandomEvents::between(int lowest, int highest) {
    return std::uniform_int_distribution(lowest, highest)(random_);
}

RandomEvent RandomEvents::Next(const TfrmInclusaoReserva& form, int step) {
    if (planned_.empty() && chance(entryChance)) {
        planEntry(form, step);
    }
    if (planned_.empty()) {
        return anyKey();
    }
    const RandomEvent next = planned_.front();
    planned_.pop_front();
    return next;
}

RandomEvent RandomEvents::anyKey() {
    if (chance(exitChance)) {
        if (chance(0.5)) {
            return press(Qt::Key_Escape, {}, QStringLiteral("\x1b"));
        }
        RandomEvent tap;
        tap.tapped = exitKey_;
        return tap;
    }
    if (chance(tapChance)) {
        RandomEvent tap;
        tap.tapped = keys_.at(between(0, int(keys_.size()) - 1));
        return tap;
    }
    return physicalKey();
}

RandomEvent RandomEvents::physicalKey() {
    enum Kind { Letter, Digit, Punctuation, Latin1, Enter, Back, Delete, Caps, Shift, AltD, AltF4 };
    const int kind = std::discrete_distribution({16, 20, 6, 5, 6, 7, 3, 3, 4, 4, 1, 6})(random_);
    switch (kind) {
    case Letter:
        return physicalCharacter(char((chance(0.25) ? 'A' : 'a') + between(0, 25)));
    case Digit:
        return physicalCharacter(char('0' + between(0, 9)), chance(0.2));
    case Punctuation:
        return physicalCharacter(" ,./"[between(0, 3)]);
    case Latin1:
        return physicalCharacter("\xE7\xC7\xE1\xE3\xE9\xF5\xF1\xFC"[between(0, 7)]);
    case Enter:
        return press(chance(0.7) ? Qt::Key_Return : Qt::Key_Enter, {}, QStringLiteral("\r"));
    case Back:
        return press(Qt::Key_Backspace, {}, QStringLiteral("\b"));
    case Delete:
        return press(Qt::Key_Delete, {}, chance(0.5) ? QStringLiteral("\x7f") : QString());
    case Caps:
        return press(Qt::Key_CapsLock);
    case Shift:
        return press(Qt::Key_Shift, Qt::ShiftModifier);
    case AltD: {
        const Qt::KeyboardModifiers held[] = {Qt::AltModifier, Qt::AltModifier,
                                              Qt::AltModifier | Qt::ShiftModifier,
                                              Qt::AltModifier | Qt::ControlModifier};
        return press(Qt::Key_D, held[between(0, 3)], QStringLiteral("d"));
    }
    case AltF4:
        return press(Qt::Key_F4, Qt::AltModifier);
    default:
        break;
    }
    // Keys the screen takes nothing from.
    switch (between(0, 4)) {
    case 0:
        return physicalCharacter("-*!@;:+=?"[between(0, 8)]);
    case 1:
        return press(Qt::Key_Tab, {}, QStringLiteral("\t"));
    case 2: {
        const int keys[] = {Qt::Key_F1,   Qt::Key_F12, Qt::Key_Left,   Qt::Key_Up,
                            Qt::Key_Home, Qt::Key_End, Qt::Key_Insert, Qt::Key_PageDown};
        return press(keys[between(0, 7)]);
    }
    case 3:
        return press(0x20AC, {}, QString(QChar(0x20AC)));
    default: {
        const int letter = between(0, 25);
        return press(Qt::Key_A + letter, Qt::ControlModifier, QString(QChar(letter + 1)));
    }
    }
}

RandomEvent RandomEvents::character(const TfrmInclusaoReserva& form, char typed) {
    const TBlendedButton* key = KeyFor(form, typed);
    if (key != nullptr && chance(0.7)) {
        RandomEvent tap;
        tap.tapped = key->objectName();
        return tap;
    }
    return physicalCharacter(typed, chance(0.1));
}

void RandomEvents::planEntry(const TfrmInclusaoReserva& form, int step) {
    for (const QChar typed : entryFor(form, step)) {
        planned_.push_back(character(form, typed.toLatin1()));
    }
    // Now and then the operator takes back a key or two before Enter.
    for (int taken = chance(0.15) ? between(1, 2) : 0; taken > 0; --taken) {
        RandomEvent back;
        back.tapped = form.sbtBackSpace->objectName();
        planned_.push_back(chance(0.5) ? back : press(Qt::Key_Backspace, {}, QStringLiteral("\b")));
    }
    if (chance(0.85)) {
        RandomEvent enter;
        enter.tapped = enterKey_;
        planned_.push_back(chance(0.6) ? enter : press(Qt::Key_Return, {}, QStringLiteral("\r")));
    }
}

QString RandomEvents::entryFor(const TfrmInclusaoReserva& form, int step) {
    const auto digits = [this](int count) {
        QString text;
        for (int index = 0; index < count; ++index) {
            text += QChar('0' + between(0, 9));
        }
        return text;
    };
    switch (step) {
    case 1:
    case 7: {
        // A little longer than the field holds, now and then.
        const Db::TField* field = step == 1 ? form.cdsReservaNMRESMESA : form.cdsReservaDSRESMESA;
        const QString pool =
            QString::fromLatin1("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                "0123456789 ,./\xE7\xC7-\xE1\xD5\xF1\xE8");
        QString text;
        for (int length = between(step == 1 ? 1 : 0, field->Size() + 5); length > 0; --length) {
            text += pool.at(between(0, int(pool.size()) - 1));
        }
        return text;
    }
    case 2: {
        const QDate day =
            Sysutils::DecodeDateTime(Sysutils::Date()).date().addDays(between(-3, 60));
        const int shape = std::discrete_distribution({5, 3, 2})(random_);
        return shape == 0   ? day.toString(QStringLiteral("ddMMyyyy"))
               : shape == 1 ? day.toString(QStringLiteral("ddMMyy"))
                            : digits(between(1, 9));
    }
    case 3:
    case 4: {
        const int hour = between(0, 25);
        const int minute = between(0, 61);
        const bool oneDigitHour = hour < 10 && chance(0.5);
        return QStringLiteral("%1%2")
            .arg(hour, oneDigitHour ? 1 : 2, 10, QLatin1Char('0'))
            .arg(minute, 2, 10, QLatin1Char('0'));
    }
    case 5:
        return digits(chance(0.8) ? (chance(0.5) ? 10 : 11) : between(1, 13));
    case 6:
        return digits(between(1, 4));
    default:
        return {};
    }
}
