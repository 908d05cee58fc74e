#include "hostlib/messagedialog.h"

#include "collaborators/hostlib/blendedbutton.h"
#include "hostlib/hosttexts.h"
#include "collaborators/hostlib/messagescheme.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int dialogWidth = 480;
constexpr int frameWidth = 3;

QLabel* addText(QVBoxLayout* layout, const AnsiString& text, int pixels, bool bold) {
    auto* label = new QLabel(ToQString(text));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setFocusPolicy(Qt::NoFocus);
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    layout->addWidget(label);
    return label;
}

} // namespace

MessageDialog::MessageDialog(const MensagemCall& call, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    const MessageScheme scheme = SchemeFor(call.SchemeId);
    panel_ = Graphics::ToQColor(scheme.Panel);
    frame_ = Graphics::ToQColor(FrameColorFor(call.Kind, scheme));
    // The window it is shown over may carry a style sheet of its own; the message keeps its
    // scheme's colours whatever that sheet says.
    setStyleSheet(QStringLiteral("QLabel { background: transparent; color: %1; }")
                      .arg(Graphics::ToQColor(scheme.Text).name()));
    setWindowTitle(ToQString(call.Title));
    setFixedWidth(dialogWidth);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    if (!call.Title.empty()) {
        addText(layout, call.Title, 24, true)->setObjectName(QStringLiteral("title"));
    }
    addText(layout, call.Text, 20, true)->setObjectName(QStringLiteral("text"));
    if (!call.Detail.empty()) {
        addText(layout, call.Detail, 16, false)->setObjectName(QStringLiteral("detail"));
    }

    auto* okKey = new TBlendedButton(this);
    okKey->setObjectName(QStringLiteral("okKey"));
    okKey->SetCaption(HostText("OkKey"));
    okKey->setFixedSize(160, 64);
    okKey->SetFontHeight(22);
    okKey->SetFontBold(true);
    okKey->SetBrushColor(scheme.Key);
    okKey->SetFontColor(scheme.KeyText);
    okKey->OnClick = [this](QObject*) { accept(); };
    layout->addWidget(okKey, 0, Qt::AlignHCenter);

    adjustSize();
}

void MessageDialog::CentreOver(const QRect& area) {
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void MessageDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // A key still held from the form must not close the message unseen.
        if (!event->isAutoRepeat()) {
            accept();
        }
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void MessageDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), panel_);
    QPen pen(frame_, frameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal half = frameWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}
