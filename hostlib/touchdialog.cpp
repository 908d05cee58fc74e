#include "touchdialog.h"

#include "hostlib/blendedbutton.h"
#include "hostlib/messagescheme.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int dialogWidth = 480;

} // namespace

TouchDialog::TouchDialog(const AnsiString& schemeId, TTipoMsg kind, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    const MessageScheme scheme = SchemeFor(schemeId);
    panel_ = Graphics::ToQColor(scheme.Panel);
    frame_ = Graphics::ToQColor(FrameColorFor(kind, scheme));
    key_ = scheme.Key;
    keyText_ = scheme.KeyText;
    // The window it is shown over may carry a style sheet of its own; the dialog keeps its
    // scheme's colours whatever that sheet says.
    setStyleSheet(QStringLiteral("QLabel { background: transparent; color: %1; }")
                      .arg(Graphics::ToQColor(scheme.Text).name()));
    setFixedWidth(dialogWidth);

    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(24, 24, 24, 24);
    layout_->setSpacing(16);
}

void TouchDialog::Centre(bool onScreen) {
    const QWidget* over = parentWidget();
    QRect area;
    if (over != nullptr && !onScreen) {
        area = over->frameGeometry();
    } else {
        const QScreen* screen = over != nullptr ? over->screen() : QApplication::primaryScreen();
        area = screen->availableGeometry();
    }
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void TouchDialog::AddText(const AnsiString& text, int pixels, bool bold, const QString& name) {
    auto* label = new QLabel(ToQString(text), this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setFocusPolicy(Qt::NoFocus);
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    layout_->addWidget(label);
}

TBlendedButton* TouchDialog::AddKey(const AnsiString& caption, const QString& name) {
    if (keys_ == nullptr) {
        keys_ = new QHBoxLayout;
        keys_->setSpacing(32);
        keys_->setAlignment(Qt::AlignHCenter);
        layout_->addLayout(keys_);
    }
    auto* key = new TBlendedButton(this);
    key->setObjectName(name);
    key->SetCaption(caption);
    key->setFixedSize(160, 64);
    key->SetFontHeight(22);
    key->SetFontBold(true);
    key->SetBrushColor(key_);
    key->SetFontColor(keyText_);
    keys_->addWidget(key);
    return key;
}

void TouchDialog::keyPressEvent(QKeyEvent* event) {
    // A key still held from the window below must not answer the dialog unseen.
    const bool repeated = event->isAutoRepeat();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!repeated) {
            accept();
        }
        break;
    case Qt::Key_Escape:
        if (!repeated) {
            reject();
        }
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TouchDialog::paintEvent(QPaintEvent*) {
    PaintFramedPanel(*this, panel_, frame_);
}

void TouchDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
}
