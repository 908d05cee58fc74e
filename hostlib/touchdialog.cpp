#include "touchdialog.h"

#include "hostlib/answerkeys.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/messagescheme.h"
#include "hostlib/touchscale.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int dialogWidth = 480;
constexpr int margin = 24;

} // namespace

TouchDialog::TouchDialog(const AnsiString& schemeId, TTipoMsg kind, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), scale_(ScreenTouchScale(parent)) {
    const MessageScheme scheme = SchemeFor(schemeId);
    panel_ = Graphics::ToQColor(scheme.Panel);
    frame_ = Graphics::ToQColor(FrameColorFor(kind, scheme));
    key_ = scheme.Key;
    keyText_ = scheme.KeyText;
    // The window it is shown over may carry a style sheet of its own; the dialog keeps its
    // scheme's colours whatever that sheet says.
    setStyleSheet(QStringLiteral("QLabel { background: transparent; color: %1; }")
                      .arg(Graphics::ToQColor(scheme.Text).name()));
    setFixedWidth(Scaled(dialogWidth, scale_));

    layout_ = new QVBoxLayout(this);
    const int edge = Scaled(margin, scale_);
    layout_->setContentsMargins(edge, edge, edge, edge);
    layout_->setSpacing(Scaled(16, scale_));
}

QRect TouchDialog::screenArea() const {
    return ScreenOf(parentWidget())->availableGeometry();
}

void TouchDialog::Centre(bool onScreen) {
    const QWidget* over = parentWidget();
    const QRect screen = screenArea();
    const QRect area = over != nullptr && !onScreen ? over->frameGeometry() : screen;
    QPoint corner = area.center() - QPoint(width() / 2, height() / 2);
    // Over a window partly off the screen, the dialog still shows whole where it fits.
    if (width() <= screen.width() && height() <= screen.height()) {
        corner.setX(std::clamp(corner.x(), screen.left(), screen.right() + 1 - width()));
        corner.setY(std::clamp(corner.y(), screen.top(), screen.bottom() + 1 - height()));
    }
    move(corner);
}

void TouchDialog::AddText(const AnsiString& text, int pixels, bool bold, const QString& name) {
    auto* label = new QLabel(ToQString(text), this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setFocusPolicy(Qt::NoFocus);
    QFont font = label->font();
    font.setPixelSize(Scaled(pixels, scale_));
    font.setBold(bold);
    label->setFont(font);
    layout_->addWidget(label);
    texts_.push_back(label);
}

TBlendedButton* TouchDialog::AddKey(const AnsiString& caption, const QString& name) {
    if (keys_ == nullptr) {
        keys_ = new QHBoxLayout;
        keys_->setSpacing(Scaled(32, scale_));
        keys_->setAlignment(Qt::AlignHCenter);
        layout_->addLayout(keys_);
    }
    auto* key = new TBlendedButton(this);
    key->setObjectName(name);
    key->SetCaption(caption);
    key->setFixedSize(Scaled(160, scale_), Scaled(64, scale_));
    key->SetFontHeight(Scaled(22, scale_));
    key->SetFontBold(true);
    key->SetBrushColor(key_);
    key->SetFontColor(keyText_);
    keys_->addWidget(key);
    return key;
}

int TouchDialog::widestWord() const {
    int widest = 0;
    for (const QLabel* text : texts_) {
        const QFontMetrics metrics(text->font());
        for (const QString& word :
             text->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            widest = std::max(widest, metrics.horizontalAdvance(word));
        }
    }
    return widest;
}

void TouchDialog::FitContents() {
    const int margins = 2 * Scaled(margin, scale_);
    const QRect screen = screenArea();
    const int widest = std::max(width(), screen.width());
    int fitted = std::clamp(widestWord() + margins, width(), widest);
    const auto heightAt = [this](int across) { return layout_->totalHeightForWidth(across); };
    while (heightAt(fitted) > screen.height() && fitted < widest) {
        fitted = std::min(widest, fitted + fitted / 4);
    }
    setFixedSize(fitted, heightAt(fitted));
}

void TouchDialog::keyPressEvent(QKeyEvent* event) {
    if (!AnswerKey(
            *event, [this] { accept(); }, [this] { reject(); })) {
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
