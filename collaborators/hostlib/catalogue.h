#pragma once

#include "framework/ansistring.h"
#include "hostlib/hostlib_export.h"

#include <QByteArray>
#include <QObject>
#include <vector>

// A keyed catalogue of texts: each line is a key, a vertical bar and the text ("Pen|Pendente").
class HOSTLIB_EXPORT TMessages : public QObject {
    Q_OBJECT

public:
    explicit TMessages(QObject* owner = nullptr);

    void SetLines(const std::vector<AnsiString>& lines);
    const std::vector<AnsiString>& Lines() const { return lines_; }
    // One line per line of the Latin-1 bytes, which may end in CRLF or LF.
    void LoadFromLatin1(const QByteArray& bytes);

    // The text after the first '|' of the first line whose key matches exactly; "" when no
    // line has the key.
    AnsiString Msg(const AnsiString& key) const;

private:
    std::vector<AnsiString> lines_;
};
