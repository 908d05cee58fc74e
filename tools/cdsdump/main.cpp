#include "jsonlines.h"

#include "framework/datapacketfile.h"
#include "framework/sysutils.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

constexpr int UsageOrReadError = 2;

void PrintTo(std::FILE* stream, const QByteArray& text) {
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stream);
}

int Usage(const QCommandLineParser& parser, const QString& error) {
    PrintTo(stderr, (error + u'\n' + parser.helpText()).toLocal8Bit());
    return UsageOrReadError;
}

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
    if (parser.isSet(help)) {
        PrintTo(stdout, parser.helpText().toLocal8Bit());
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        return Usage(parser, QStringLiteral("Give exactly one file."));
    }
    if (parser.isSet(toXml) && parser.isSet(toBinary)) {
        return Usage(parser, QStringLiteral("Give --to-xml or --to-binary, not both."));
    }
    try {
        const Datapacket::TDataPacket packet =
            Datapacket::CurrentView(Datapacket::ReadPacketFile(files.first()));
        if (parser.isSet(toXml)) {
            Datapacket::WritePacketFile(parser.value(toXml), packet, Datapacket::TPacketForm::Xml);
        } else if (parser.isSet(toBinary)) {
            Datapacket::WritePacketFile(parser.value(toBinary), packet,
                                        Datapacket::TPacketForm::Binary);
        } else {
            PrintTo(stdout, FieldsLine(packet));
            for (const Datapacket::TRow& row : packet.rows) {
                PrintTo(stdout, RowLine(packet, row));
            }
        }
    } catch (const Sysutils::Exception& error) {
        PrintTo(stderr, (ToQString(error.Message()) + u'\n').toLocal8Bit());
        return UsageOrReadError;
    }
    return 0;
}
