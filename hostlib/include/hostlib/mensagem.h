#pragma once

#include "framework/ansistring.h"
#include "hostlib/hostlib_export.h"

#include <functional>

namespace Dbclient {
class TClientDataSet;
}

// The kind of a message: it picks the colour of the dialog's frame. Any other value shows as
// a notice.
enum TTipoMsg : int {
    tmWarning = 1, // amber frame
    tmError = 2,   // red frame
    tmNotice = 3,  // the scheme's own frame colour
};

// Shows a message in a touch-friendly modal dialog with one OK key and returns once the
// operator has closed it (OK, Enter or Esc) or it has closed itself.
//   text             the message, large and word-wrapped
//   title            a heading above the text; empty: none
//   beep             "S" sounds the bell as the message appears; anything else stays silent
//   centreOnScreen   "S" centres the dialog on the screen; anything else over the active window
//   kind             see TTipoMsg
//   detail           a smaller second text below the message; empty: none
//   schemeId         the colour scheme: "2" light, "3" high contrast; empty, "1" or any other
//                    value the default dark scheme
//   autoCloseSeconds above 0, the dialog closes itself after that many seconds
//   dataSet          the record the message is about, handed to the observer only
HOSTLIB_EXPORT void Mensagem(const AnsiString& text, const AnsiString& title,
                             const AnsiString& beep, const AnsiString& centreOnScreen,
                             TTipoMsg kind, const AnsiString& detail, const AnsiString& schemeId,
                             int autoCloseSeconds, Dbclient::TClientDataSet* dataSet);

// The nine arguments of one Mensagem call.
struct MensagemCall {
    AnsiString Text;
    AnsiString Title;
    AnsiString Beep;
    AnsiString CentreOnScreen;
    TTipoMsg Kind = tmNotice;
    AnsiString Detail;
    AnsiString SchemeId;
    int AutoCloseSeconds = 0;
    Dbclient::TClientDataSet* DataSet = nullptr;
};

// Sees every message before it is shown; returning true answers it, and no dialog opens.
// A host keeps its journal with it, a test watches the messages.
using MensagemObserver = std::function<bool(const MensagemCall& call)>;

// Replaces the observer; an empty one removes it.
HOSTLIB_EXPORT void SetMensagemObserver(MensagemObserver observer);
