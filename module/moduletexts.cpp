#include "module/moduletexts.h"

#include "collaborators/hostlib.h"

#include <QFile>

QByteArray ReadResource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

AnsiString ModuleText(const AnsiString& key) {
    static TMessages texts;
    if (texts.Lines().empty()) {
        texts.LoadFromLatin1(ReadResource(QStringLiteral(":/form/moduletexts.txt")));
    }
    return texts.Msg(key);
}
