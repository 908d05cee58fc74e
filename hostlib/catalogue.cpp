#include "hostlib/catalogue.h"

#include "framework/sysutils.h"

#include <QFile>
#include <utility>

TextCatalogue::TextCatalogue(std::vector<AnsiString> lines) : lines_(std::move(lines)) {}

TextCatalogue TextCatalogue::FromLatin1(const QByteArray& bytes) {
    std::vector<AnsiString> lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        lines.push_back(line.toStdString());
    }
    // The newline that ends the last line starts no line of its own.
    if (bytes.isEmpty() || bytes.endsWith('\n')) {
        lines.pop_back();
    }
    return TextCatalogue(std::move(lines));
}

TextCatalogue TextCatalogue::FromResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Sysutils::Exception(FromQString(
            QStringLiteral("cannot read the texts %1: %2").arg(path, file.errorString())));
    }
    return FromLatin1(file.readAll());
}

AnsiString TextCatalogue::Msg(const AnsiString& key) const {
    for (const AnsiString& line : lines_) {
        const auto bar = line.find('|');
        if (bar != AnsiString::npos && line.compare(0, bar, key) == 0) {
            return line.substr(bar + 1);
        }
    }
    return {};
}

TMessages::TMessages(QObject* owner) : QObject(owner) {}

void TMessages::SetLines(const std::vector<AnsiString>& lines) {
    catalogue_ = TextCatalogue(lines);
}

void TMessages::LoadFromLatin1(const QByteArray& bytes) {
    catalogue_ = TextCatalogue::FromLatin1(bytes);
}

void TMessages::LoadFromResource(const QString& path) {
    catalogue_ = TextCatalogue::FromResource(path);
}
