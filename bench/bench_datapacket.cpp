// Reading and writing a data packet of very many columns, in both forms. Each column costs the
// same whatever its position, so the times grow with the number of columns, not its square.
//
//   bench_datapacket                 16,000 columns of 10 rows
//   bench_datapacket -- COLUMNS      another number of columns (Qt Test options go first)

#include "framework/data/datapacketbinary.h"
#include "framework/data/datapacketfile.h"
#include "framework/data/datapacketxml.h"

#include <QCoreApplication>
#include <QTest>
#include <iterator>
#include <string>

using Datapacket::TDataPacket;
using Db::TFieldType;

namespace {

constexpr int Rows = 10;

// Columns of the kinds the parameters files use, in turn, each row with a value in every one.
TDataPacket WidePacket(int columnCount) {
    const TFieldType kinds[] = {TFieldType::ftString, TFieldType::ftInteger, TFieldType::ftFloat,
                                TFieldType::ftDate};
    TDataPacket packet;
    for (int c = 0; c < columnCount; ++c) {
        packet.columns.push_back(Datapacket::MakeColumn("COLUNA" + std::to_string(c + 1),
                                                        kinds[c % std::size(kinds)], 12));
    }
    for (int r = 0; r < Rows; ++r) {
        std::vector<Datapacket::TValue> values;
        for (int c = 0; c < columnCount; ++c) {
            switch (packet.columns[static_cast<std::size_t>(c)].type) {
            case TFieldType::ftString:
                values.emplace_back(AnsiString("valor ") + std::to_string(r));
                break;
            case TFieldType::ftInteger:
                values.emplace_back(static_cast<long long>(r * c));
                break;
            case TFieldType::ftFloat:
                values.emplace_back(r + c / 8.0);
                break;
            default:
                values.emplace_back(739957LL + r);
                break;
            }
        }
        packet.rows.push_back({Datapacket::rsUnchanged, values});
    }
    return packet;
}

} // namespace

class DatapacketBench : public QObject {
    Q_OBJECT

public:
    explicit DatapacketBench(int columnCount) : columnCount_(columnCount) {}

private slots:
    void initTestCase() {
        packet_ = WidePacket(columnCount_);
        qInfo("%d columns, %d rows", columnCount_, Rows);
    }

    void read_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("binary") << Datapacket::WriteBinaryPacket(packet_, "bench");
        QTest::newRow("XML") << Datapacket::WriteXmlPacket(packet_, "bench");
    }

    void read() {
        QFETCH(QByteArray, bytes);
        QBENCHMARK {
            Datapacket::ParsePacket(bytes, "bench");
        }
    }

    void write_data() {
        QTest::addColumn<bool>("xml");
        QTest::newRow("binary") << false;
        QTest::newRow("XML") << true;
    }

    void write() {
        QFETCH(bool, xml);
        QBENCHMARK {
            if (xml) {
                Datapacket::WriteXmlPacket(packet_, "bench");
            } else {
                Datapacket::WriteBinaryPacket(packet_, "bench");
            }
        }
    }

private:
    int columnCount_;
    TDataPacket packet_;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    int columnCount = 16000;
    const qsizetype separator = arguments.indexOf(QStringLiteral("--"));
    if (separator >= 0) {
        bool ok = false;
        columnCount = arguments.value(separator + 1).toInt(&ok);
        if (!ok || columnCount < 1 || columnCount > 0xFFFF) {
            qCritical("the number of columns is 1 to 65535");
            return 2;
        }
        arguments = arguments.mid(0, separator);
    }
    DatapacketBench bench(columnCount);
    return QTest::qExec(&bench, arguments);
}

#include "bench_datapacket.moc"
