#pragma once

#include "framework/ansistring.h"
#include "hostlib/hostlib_export.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <vector>

// Keyed texts as plain data: each line is a key, a vertical bar and the text ("Pen|Pendente").
class HOSTLIB_EXPORT TextCatalogue {
public:
    TextCatalogue() = default;
    explicit TextCatalogue(std::vector<AnsiString> lines);

    // One line per line of the Latin-1 bytes, which may end in CRLF or LF.
    static TextCatalogue FromLatin1(const QByteArray& bytes);
    // A catalogue built into a library (":/..."); one that cannot be read raises
    // Sysutils::Exception naming it.
    static TextCatalogue FromResource(const QString& path);

    const std::vector<AnsiString>& Lines() const { return lines_; }

    // The text after the first '|' of the first line whose key matches exactly; "" when no
    // line has the key.
    AnsiString Msg(const AnsiString& key) const;

    // The text of key with its "%1", "%2", ... replaced by the arguments (Latin-1 or Qt
    // strings), in one pass. A character of an argument that Latin-1 cannot hold shows as its
    // code point.
    template <typename... Arguments>
    AnsiString Format(const AnsiString& key, const Arguments&... arguments) const {
        if constexpr (sizeof...(Arguments) == 0) {
            return Msg(key);
        } else {
            return FromQStringEscaped(ToQString(Msg(key)).arg(argument(arguments)...));
        }
    }

private:
    static QString argument(const QString& text) { return text; }
    static QString argument(const AnsiString& text) { return ToQString(text); }

    std::vector<AnsiString> lines_;
};

// The catalogue as a component a form owns.
class HOSTLIB_EXPORT TMessages : public QObject {
    Q_OBJECT

public:
    explicit TMessages(QObject* owner = nullptr);

    void SetLines(const std::vector<AnsiString>& lines);
    const std::vector<AnsiString>& Lines() const { return catalogue_.Lines(); }
    void LoadFromLatin1(const QByteArray& bytes);
    void LoadFromResource(const QString& path);

    AnsiString Msg(const AnsiString& key) const { return catalogue_.Msg(key); }

private:
    TextCatalogue catalogue_;
};
