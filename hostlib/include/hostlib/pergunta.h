#pragma once

#include "framework/ansistring.h"
#include "hostlib/hostlib_export.h"

#include <functional>
#include <optional>

// Asks the operator a yes-or-no question in a touch dialog like Mensagem's, with the keys "Sim"
// and "Não", in the display scheme schemeId (see Mensagem). True for "Sim" (or Enter), false
// for "Não" (or Esc).
HOSTLIB_EXPORT bool Pergunta(const AnsiString& text, const AnsiString& schemeId);

// Sees every question before it is shown; an answer given answers it, and no dialog opens.
// A host keeps its journal with it, a test answers the questions.
using PerguntaObserver = std::function<std::optional<bool>(const AnsiString& text)>;

// Replaces the observer; an empty one removes it.
HOSTLIB_EXPORT void SetPerguntaObserver(PerguntaObserver observer);
