#include "messagedialog.h"

#include "hostlib/blendedbutton.h"
#include "hosttexts.h"

MessageDialog::MessageDialog(const MensagemCall& call, QWidget* parent)
    : TouchDialog(call.SchemeId, call.Kind, parent) {
    // Frameless, so the window's title is never read on the screen: it names the dialog for a
    // window list, a support session or a test.
    setWindowTitle(ToQString(call.Title.empty() ? HostText("MessageTitle") : call.Title));
    if (!call.Title.empty()) {
        AddText(call.Title, 24, true, QStringLiteral("title"));
    }
    AddText(call.Text, 20, true, QStringLiteral("text"));
    if (!call.Detail.empty()) {
        AddText(call.Detail, 16, false, QStringLiteral("detail"));
    }
    AddKey(HostText("OkKey"), QStringLiteral("okKey"))->OnClick = [this](QObject*) { accept(); };
    FitContents();
}
