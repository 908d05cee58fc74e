#include "jsonlines.h"

#include "framework/data/datapacketfile.h"
#include "framework/sysutils.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr int Failure = 2;

void PrintTo(std::FILE* stream, const QByteArray& text) {
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stream);
}

int Usage(const QCommandLineParser& parser, const QString& error) {
    PrintTo(stderr, (error + u'\n' + parser.helpText()).toLocal8Bit());
    return Failure;
}

// Standard output, keeping the first failure: a full disk or a closed pipe loses the output at
// a write or only at the final flush, and either must not pass for success.
class StandardOutput {
public:
    bool Failed() const { return error_ != 0; }

    void Print(const QByteArray& text) {
        if (!Failed() && std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()),
                                     stdout) != static_cast<std::size_t>(text.size())) {
            Keep(errno);
        }
    }

    // Flushes; the exit code, after a message on standard error if anything was lost.
    int Close() {
        if (!Failed() && std::fflush(stdout) != 0) {
            Keep(errno);
        }
        if (!Failed()) {
            return 0;
        }
        PrintTo(stderr,
                QByteArray("cannot write to standard output: ") + std::strerror(error_) + '\n');
        return Failure;
    }

private:
    void Keep(int error) { error_ = error != 0 ? error : EIO; }

    int error_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints a client-dataset file (binary or XML) as JSON Lines: its fields, "
                       "then its current rows. Or converts it to the other form."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption toXml(QStringLiteral("to-xml"),
                                   QStringLiteral("Write the data as an XML file instead."),
                                   QStringLiteral("out"));
    const QCommandLineOption toBinary(QStringLiteral("to-binary"),
                                      QStringLiteral("Write the data as a binary file instead."),
                                      QStringLiteral("out"));
    parser.addOption(toXml);
    parser.addOption(toBinary);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The dataset file."));
    if (!parser.parse(QCoreApplication::arguments())) {
        return Usage(parser, parser.errorText());
    }
    StandardOutput out;
    if (parser.isSet(help)) {
        out.Print(parser.helpText().toLocal8Bit());
        return out.Close();
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        return Usage(parser, QStringLiteral("Give exactly one file."));
    }
    if (parser.isSet(toXml) && parser.isSet(toBinary)) {
        return Usage(parser, QStringLiteral("Give --to-xml or --to-binary, not both."));
    }
    // Made before the file is read: a message about running out of memory must not need any.
    const QByteArray fileName = files.first().toLocal8Bit();
    try {
        const Datapacket::TDataPacket packet =
            Datapacket::CurrentView(Datapacket::ReadPacketFile(files.first()));
        if (parser.isSet(toXml)) {
            Datapacket::WritePacketFile(parser.value(toXml), packet, Datapacket::TPacketForm::Xml);
        } else if (parser.isSet(toBinary)) {
            Datapacket::WritePacketFile(parser.value(toBinary), packet,
                                        Datapacket::TPacketForm::Binary);
        } else {
            out.Print(FieldsLine(packet));
            for (auto row = packet.rows.cbegin(); row != packet.rows.cend() && !out.Failed();
                 ++row) {
                out.Print(RowLine(packet, *row));
            }
        }
    } catch (const Sysutils::Exception& error) {
        PrintTo(stderr, (ToQString(error.Message()) + u'\n').toLocal8Bit());
        return Failure;
    } catch (const std::bad_alloc&) {
        PrintTo(stderr, fileName);
        std::fputs(": not enough memory to read or write it\n", stderr);
        return Failure;
    }
    return out.Close();
}
