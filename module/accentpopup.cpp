#include "accentpopup.h"

#include "textcharacters.h"

#include "hostlib/blendedbutton.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// The forms are aimed at with a finger that has just held a key: larger keys than the
// keyboard's, a finger's width apart from the edge and from each other.
constexpr double growth = 1.25;
constexpr int spacing = 4;
constexpr int margin = 6;
constexpr int framePen = 2;

int grown(int size) {
    return int(std::lround(size * growth));
}

void copyLook(const TBlendedButton& from, TBlendedButton& to) {
    QFont captionFont = from.font();
    captionFont.setPixelSize(grown(from.FontHeight()));
    to.setFont(captionFont);
    to.SetFontColor(from.FontColor());
    to.SetBrushColor(from.BrushColor());
    to.SetPenVisible(from.PenVisible());
    to.SetPenColor(from.PenColor());
    to.SetPenWidth(from.PenWidth());
    to.SetRounded(from.Rounded());
    to.SetDownColor(from.DownColor());
    to.SetDownFontColor(from.DownFontColor());
}

} // namespace

AccentPopup::AccentPopup(const TBlendedButton& letterKey, const AnsiString& forms,
                         TypeForm typeForm)
    : QWidget(letterKey.window(), Qt::Popup | Qt::FramelessWindowHint),
      background_(letterKey.window()->palette().color(QPalette::Window)),
      frame_(Graphics::ToQColor(letterKey.BrushColor())) {
    setObjectName(QStringLiteral("accentPopup"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The tap outside that closes the pop-up must not also tap what lies beneath.
    setAttribute(Qt::WA_NoMouseReplay);
    setFocusPolicy(Qt::NoFocus);
    const QSize keySize(grown(letterKey.width()), grown(letterKey.height()));
    for (std::size_t index = 0; index < forms.size(); ++index) {
        auto* key = new TBlendedButton(this);
        key->setObjectName(QStringLiteral("accentKey%1").arg(index + 1));
        copyLook(letterKey, *key);
        key->SetCaption(AnsiString(1, forms[index]));
        key->SetTag(static_cast<unsigned char>(TextCharacters::UpperLetter(forms[index])));
        key->setGeometry(margin + int(index) * (keySize.width() + spacing), margin, keySize.width(),
                         keySize.height());
        key->OnClick = [this, typeForm](QObject* sender) {
            close();
            typeForm(static_cast<TBlendedButton*>(sender));
        };
    }
    const int count = int(forms.size());
    resize(2 * margin + count * keySize.width() + (count - 1) * spacing,
           2 * margin + keySize.height());
    placeOver(letterKey);
}

void AccentPopup::placeOver(const TBlendedButton& letterKey) {
    const QRect key(letterKey.mapToGlobal(QPoint(0, 0)), letterKey.size());
    const QRect area = letterKey.window()->geometry();
    QPoint corner(key.center().x() - width() / 2, key.top() - spacing - height());
    if (corner.y() < area.top()) {
        corner.setY(key.bottom() + 1 + spacing);
    }
    corner.setX(
        std::clamp(corner.x(), area.left(), std::max(area.left(), area.right() + 1 - width())));
    move(corner);
}

void AccentPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    QPen pen(frame_, framePen);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
