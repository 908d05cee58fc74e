#include "hostlib/parameters.h"

#include "framework/data/db.h"
#include "framework/data/dbclient.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <exception>

namespace {

const QString parametersFileName = QStringLiteral("PARAMETROSQUOR.CDS");

// The exact name first, then the same name in any letter case.
QString parametersFilePath() {
    const QDir folder(QCoreApplication::applicationDirPath());
    const QString exact = folder.filePath(parametersFileName);
    if (QFileInfo(exact).isFile()) {
        return exact;
    }
    const QStringList candidates = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString& candidate : candidates) {
        if (candidate.compare(parametersFileName, Qt::CaseInsensitive) == 0) {
            return folder.filePath(candidate);
        }
    }
    return {};
}

} // namespace

AnsiString LoadDisplayScheme(Dbclient::TClientDataSet& parameters) {
    const QString file = parametersFilePath();
    if (file.isEmpty()) {
        return {};
    }
    parameters.LoadFromFile(file);
    parameters.Open();
    return parameters.FieldByName("IDESQUEMA")->AsString();
}

AnsiString DisplayScheme() noexcept {
    try {
        Dbclient::TClientDataSet parameters;
        return LoadDisplayScheme(parameters);
    } catch (const std::exception&) {
        return {};
    }
}
