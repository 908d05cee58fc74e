#include "hostlib/parameters.h"

#include "framework/data/datapacketfile.h"
#include "framework/data/db.h"
#include "framework/data/dbclient.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <exception>
#include <memory>
#include <mutex>

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

// What reading the parameters file gave.
struct ParametersFile {
    // Empty when there is no such file.
    QString path;
    Datapacket::TDataPacket packet;
    // The message of the error that reading it raised; empty when it was read.
    AnsiString failure;
    // The scheme for whoever must not fail on the file: empty when it cannot give one.
    AnsiString scheme;
};

// Loads the parameters read into the dataset and gives their scheme; raises EDatabaseError as
// reading the file did, or when the parameters have no IDESQUEMA.
AnsiString loadScheme(const ParametersFile& file, Dbclient::TClientDataSet& parameters) {
    if (file.path.isEmpty()) {
        return {};
    }
    if (!file.failure.empty()) {
        Db::RaiseDatabaseError(file.failure);
    }
    parameters.SetPacket(file.packet);
    parameters.Open();
    return parameters.FieldByName("IDESQUEMA")->AsString();
}

std::shared_ptr<const ParametersFile> readParametersFile() {
    auto file = std::make_shared<ParametersFile>();
    file->path = parametersFilePath();
    if (file->path.isEmpty()) {
        return file;
    }
    try {
        file->packet = Datapacket::ReadPacketFile(file->path);
    } catch (const Db::EDatabaseError& error) {
        file->failure = error.Message();
    }
    try {
        Dbclient::TClientDataSet parameters;
        file->scheme = loadScheme(*file, parameters);
    } catch (const Db::EDatabaseError&) {
        // The default scheme: the file gives none.
    }
    return file;
}

std::mutex parametersLock;
// Read on first use and kept for the rest of the run: a booking asks for the scheme several
// times, and a large file read each time held every booking up.
std::shared_ptr<const ParametersFile> parametersRead;

std::shared_ptr<const ParametersFile> parametersFile() {
    const std::lock_guard lock(parametersLock);
    if (!parametersRead) {
        parametersRead = readParametersFile();
    }
    return parametersRead;
}

} // namespace

AnsiString LoadDisplayScheme(Dbclient::TClientDataSet& parameters) {
    return loadScheme(*parametersFile(), parameters);
}

AnsiString DisplayScheme() noexcept {
    try {
        return parametersFile()->scheme;
    } catch (const std::exception&) {
        return {};
    }
}

void ForgetParametersFile() {
    const std::lock_guard lock(parametersLock);
    parametersRead.reset();
}
