#include "collaborators/hostlib/catalogue.h"

#include <utility>

TMessages::TMessages(QObject* owner) : QObject(owner) {}

void TMessages::SetLines(const std::vector<AnsiString>& lines) {
    lines_ = lines;
}

void TMessages::LoadFromLatin1(const QByteArray& bytes) {
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
    lines_ = std::move(lines);
}

AnsiString TMessages::Msg(const AnsiString& key) const {
    for (const AnsiString& line : lines_) {
        const auto bar = line.find('|');
        if (bar != AnsiString::npos && line.compare(0, bar, key) == 0) {
            return line.substr(bar + 1);
        }
    }
    return {};
}
