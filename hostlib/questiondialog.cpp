#include "questiondialog.h"

#include "hostlib/blendedbutton.h"
#include "hosttexts.h"

QuestionDialog::QuestionDialog(const AnsiString& text, const AnsiString& schemeId, QWidget* parent)
    : TouchDialog(schemeId, tmNotice, parent) {
    setWindowTitle(ToQString(HostText("QuestionTitle")));
    AddText(text, 20, true, QStringLiteral("text"));
    AddKey(HostText("YesKey"), QStringLiteral("yesKey"))->OnClick = [this](QObject*) { accept(); };
    AddKey(HostText("NoKey"), QStringLiteral("noKey"))->OnClick = [this](QObject*) { reject(); };
    FitContents();
}
