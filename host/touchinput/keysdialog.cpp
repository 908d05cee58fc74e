#include "touchinput/keysdialog.h"

#include "hostlib/blendedbutton.h"
#include "hostlib/touchscale.h"
#include "terminaltexts.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Sizes on a 1024x768 screen; a larger screen grows them all by its TouchScale.
constexpr int margin = 24;
constexpr int spacing = 8;
constexpr int rowSpacing = 16;
constexpr int frameWidth = 2;
constexpr QSize textPadding(12, 4);
constexpr int titlePixels = 24;
constexpr int textPixels = 30;
constexpr int keyPixels = 22;
constexpr QSize letterKey(72, 60);
constexpr QSize digitKey(104, 72);

constexpr const char* letterRows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL\xC7", "ZXCVBNM"};
constexpr const char* digitRows[] = {"123", "456", "789"};

QString keyName(QChar character) {
    if (character == QLatin1Char(' ')) {
        return QStringLiteral("keySpace");
    }
    if (character == QChar(u'\u00C7')) {
        return QStringLiteral("keyCedilla");
    }
    return QStringLiteral("key") + character;
}

} // namespace

KeysDialog::KeysDialog(const AnsiString& title, KeysLayout layout, int maxLength,
                       const AnsiString& schemeId, QWidget* parent)
    : PanelDialog(schemeId, parent), layout_(layout), maxLength_(maxLength),
      scale_(TouchScale(ScreenSize())) {
    setObjectName(QStringLiteral("keysDialog"));
    setWindowTitle(ToQString(title));
    setStyleSheet(styleSheet() +
                  QStringLiteral("QLabel#keysText { border: %2px solid %1; padding: %3px %4px; }")
                      .arg(Graphics::ToQColor(Scheme().Frame).name())
                      .arg(Scaled(frameWidth, scale_))
                      .arg(Scaled(textPadding.height(), scale_))
                      .arg(Scaled(textPadding.width(), scale_)));

    auto* layoutBox = new QVBoxLayout(this);
    const int edge = Scaled(margin, scale_);
    layoutBox->setContentsMargins(edge, edge, edge, edge);
    layoutBox->setSpacing(Scaled(rowSpacing, scale_));
    layoutBox->setSizeConstraint(QLayout::SetFixedSize);

    auto* titleLabel = new QLabel(ToQString(title), this);
    titleLabel->setObjectName(QStringLiteral("keysTitle"));
    titleLabel->setTextFormat(Qt::PlainText);
    titleLabel->setWordWrap(true);
    titleLabel->setAlignment(Qt::AlignCenter);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(Scaled(titlePixels, scale_));
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    layoutBox->addWidget(titleLabel);

    shown_ = new QLabel(this);
    shown_->setObjectName(QStringLiteral("keysText"));
    shown_->setTextFormat(Qt::PlainText);
    QFont textFont(QStringLiteral("Arial"));
    textFont.setPixelSize(Scaled(textPixels, scale_));
    shown_->setFont(textFont);
    shown_->setMinimumHeight(Scaled(textPixels, scale_) * 2);
    layoutBox->addWidget(shown_);

    auto* keys = new QGridLayout;
    keys->setSpacing(Scaled(spacing, scale_));
    if (layout_ == KeysLayout::Letters) {
        buildLetters(keys);
    } else {
        buildDigits(keys);
    }
    layoutBox->addLayout(keys);
    // The title wraps within the width of the keys.
    titleLabel->setFixedWidth(keys->sizeHint().width());
}

void KeysDialog::buildLetters(QGridLayout* keys) {
    int row = 0;
    for (const char* letters : letterRows) {
        for (int column = 0; letters[column] != '\0'; ++column) {
            addCharacterKey(keys, letters[column], row, column);
        }
        ++row;
    }
    // The last row of letters leaves room for the erasing key.
    addEraseKey(keys, 3, 7, 3);
    addCharacterKey(keys, ' ', 4, 0, 4);
    addClearKey(keys, 4, 4, 2);
    addEndingKeys(keys, 4, 6, 2);
}

void KeysDialog::buildDigits(QGridLayout* keys) {
    int row = 0;
    for (const char* digits : digitRows) {
        for (int column = 0; digits[column] != '\0'; ++column) {
            addCharacterKey(keys, digits[column], row, column);
        }
        ++row;
    }
    addClearKey(keys, 3, 0, 1);
    addCharacterKey(keys, '0', 3, 1);
    addEraseKey(keys, 3, 2, 1);
    addEndingKeys(keys, 4, 0, 1);
}

TBlendedButton* KeysDialog::addKey(QGridLayout* keys, const AnsiString& caption,
                                   const QString& name, int row, int column, int columns) {
    const QSize size = layout_ == KeysLayout::Letters ? letterKey : digitKey;
    const int width = Scaled(size.width(), scale_);
    auto* key = new TBlendedButton(this);
    key->setObjectName(name);
    key->SetCaption(caption);
    key->setFixedSize(width * columns + Scaled(spacing, scale_) * (columns - 1),
                      Scaled(size.height(), scale_));
    key->SetFontName(QStringLiteral("Arial"));
    key->SetFontHeight(Scaled(keyPixels, scale_));
    key->SetFontBold(true);
    key->SetBrushColor(Scheme().Key);
    key->SetFontColor(Scheme().KeyText);
    keys->addWidget(key, row, column, 1, columns);
    return key;
}

void KeysDialog::addCharacterKey(QGridLayout* keys, char latin1, int row, int column, int columns) {
    const QChar character = QChar::fromLatin1(latin1);
    const AnsiString caption = latin1 == ' ' ? TerminalText("TECLA_ESPACO") : AnsiString(1, latin1);
    addKey(keys, caption, keyName(character), row, column, columns)->OnClick =
        [this, character](QObject*) { type(character); };
}

void KeysDialog::addEraseKey(QGridLayout* keys, int row, int column, int columns) {
    TBlendedButton* key = addKey(keys, TerminalText("TECLA_APAGAR"), QStringLiteral("keyErase"),
                                 row, column, columns);
    // Held down, it goes on erasing.
    key->setAutoRepeat(true);
    key->OnClick = [this](QObject*) { eraseLast(); };
}

void KeysDialog::addClearKey(QGridLayout* keys, int row, int column, int columns) {
    addKey(keys, TerminalText("TECLA_LIMPAR"), QStringLiteral("keyClear"), row, column, columns)
        ->OnClick = [this](QObject*) { setText({}); };
}

// Voltar, then OK, each columns wide.
void KeysDialog::addEndingKeys(QGridLayout* keys, int row, int column, int columns) {
    addKey(keys, TerminalText("TECLA_VOLTAR"), QStringLiteral("keyBack"), row, column, columns)
        ->OnClick = [this](QObject*) { reject(); };
    const int okColumns = layout_ == KeysLayout::Letters ? columns : columns + 1;
    addKey(keys, TerminalText("TECLA_OK"), QStringLiteral("keyOk"), row, column + columns,
           okColumns)
        ->OnClick = [this](QObject*) { accept(); };
}

bool KeysDialog::takes(QChar character) const {
    const bool digit = character >= QLatin1Char('0') && character <= QLatin1Char('9');
    if (layout_ == KeysLayout::Digits) {
        return digit;
    }
    // What a name holds and the Latin-1 columns keep.
    return digit || character == QLatin1Char(' ') ||
           (character.isLetter() && character.unicode() <= 0xFF);
}

void KeysDialog::type(QChar character) {
    if (takes(character) && text_.size() < maxLength_) {
        setText(text_ + character);
    }
}

void KeysDialog::eraseLast() {
    setText(text_.chopped(text_.isEmpty() ? 0 : 1));
}

void KeysDialog::setText(const QString& text) {
    text_ = text;
    shown_->setText(text_);
}

void KeysDialog::otherKey(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backspace:
        eraseLast();
        break;
    case Qt::Key_Delete:
        setText({});
        break;
    default:
        for (const QChar character : event->text()) {
            type(character);
        }
    }
}

std::optional<QString> AskOnKeys(const AnsiString& title, KeysLayout layout, int maxLength,
                                 const AnsiString& schemeId) {
    // Qt centres it over the window beneath, or on the screen.
    KeysDialog dialog(title, layout, maxLength, schemeId, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Text();
}
