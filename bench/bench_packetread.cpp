// Reading a packet file of about 1 MB and 10 MB (its XML form; the binary form of the same rows
// is smaller) with the framework's readers, from the file's name to the rows in memory:
// - readXml: the XML reader against one bare QXmlStreamReader pass over the same file;
// - readBinary: the binary reader against reading the same file's bytes;
// - binaryAgainstXml: the binary reader ("ours") against the XML reader ("baseline") on the same
//   rows, in milliseconds;
// - peakMemory: the peak growth of resident memory while each reader or baseline reads, per byte
//   of the file read.
// The speeds are in bytes of the file read per second.
//
//   bench_packetread                      packets of about 1 MB and 10 MB
//   bench_packetread -- MEGABYTES...      packets of those sizes (Qt Test options go first)

#include "framework/data/datapacketfile.h"
#include "packet/barereads.h"
#include "packet/packetfiles.h"
#include "support/environment.h"
#include "support/peakmemory.h"
#include "support/sampling.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <map>

namespace {

enum class Reader { OursXml, OursBinary, BareXml, PlainRead };

// Reads the packet's file with reader; false when what came out is not the whole packet.
bool read(Reader reader, const Bench::PacketFiles& files) {
    switch (reader) {
    case Reader::OursXml:
        return Datapacket::ReadPacketFile(files.xml).rows.size() ==
               static_cast<std::size_t>(files.rows);
    case Reader::OursBinary:
        return Datapacket::ReadPacketFile(files.binary).rows.size() ==
               static_cast<std::size_t>(files.rows);
    case Reader::BareXml:
        return Bench::BareXmlPass(files.xml) > 0;
    case Reader::PlainRead:
        return Bench::PlainRead(files.binary) == files.binaryBytes;
    }
    return false;
}

bool isXml(Reader reader) {
    return reader == Reader::OursXml || reader == Reader::BareXml;
}

} // namespace

Q_DECLARE_METATYPE(Reader)

class PacketReadBench : public QObject {
    Q_OBJECT

public:
    explicit PacketReadBench(std::vector<int> megabytes) : megabytes_(std::move(megabytes)) {}

private:
    std::vector<int> megabytes_;
    QTemporaryDir folder_;
    std::map<QString, Bench::PacketFiles> packets_;
    // The median times of the readers, kept for the comparison on the same rows.
    std::map<std::pair<QString, Reader>, double> medianMs_;

    double medianMs(const QString& size, Reader reader) {
        const auto kept = medianMs_.find({size, reader});
        if (kept != medianMs_.end()) {
            return kept->second;
        }
        const Bench::PacketFiles& files = packets_.at(size);
        const int samples = Bench::SampleCount(files.xmlBytes > 5'000'000 ? 7 : 15);
        const auto ms = Bench::MedianOf(samples, [&] {
            QElapsedTimer timer;
            timer.start();
            return read(reader, files) ? Bench::ElapsedMs(timer)
                                       : Bench::NoSample("the packet was not read whole");
        });
        if (!ms) {
            return std::nan("");
        }
        medianMs_[{size, reader}] = *ms;
        return *ms;
    }

    static void addColumns() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<Reader>("reader");
    }

    void addRows(const char* label, Reader ours, Reader baseline) {
        for (const auto& [size, files] : packets_) {
            QTest::addRow("%s%s ours", label, qPrintable(size)) << size << ours;
            QTest::addRow("%s%s baseline", label, qPrintable(size)) << size << baseline;
        }
    }

    void reportSpeed() {
        QFETCH(QString, size);
        QFETCH(Reader, reader);
        const double ms = medianMs(size, reader);
        QVERIFY(!std::isnan(ms));
        const Bench::PacketFiles& files = packets_.at(size);
        const qint64 bytes = isXml(reader) ? files.xmlBytes : files.binaryBytes;
        QTest::setBenchmarkResult(static_cast<double>(bytes) / (ms / 1000), QTest::BytesPerSecond);
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        for (const int megabytes : megabytes_) {
            const QString size = QStringLiteral("%1 MB").arg(megabytes);
            const Bench::PacketFiles files = Bench::WritePacketFiles(
                folder_.path(), QString::number(megabytes), megabytes * 1'000'000LL);
            qInfo("%s: %d rows, XML %lld bytes, binary %lld bytes", qPrintable(size), files.rows,
                  files.xmlBytes, files.binaryBytes);
            packets_[size] = files;
        }
    }

    void readXml_data() {
        addColumns();
        addRows("", Reader::OursXml, Reader::BareXml);
    }
    void readXml() { reportSpeed(); }

    void readBinary_data() {
        addColumns();
        addRows("", Reader::OursBinary, Reader::PlainRead);
    }
    void readBinary() { reportSpeed(); }

    void binaryAgainstXml_data() {
        addColumns();
        addRows("", Reader::OursBinary, Reader::OursXml);
    }
    void binaryAgainstXml() {
        QFETCH(QString, size);
        QFETCH(Reader, reader);
        const double ms = medianMs(size, reader);
        QVERIFY(!std::isnan(ms));
        QTest::setBenchmarkResult(ms, QTest::WalltimeMilliseconds);
    }

    void peakMemory_data() {
        addColumns();
        addRows("XML ", Reader::OursXml, Reader::BareXml);
        addRows("binary ", Reader::OursBinary, Reader::PlainRead);
    }
    void peakMemory() {
        QFETCH(QString, size);
        QFETCH(Reader, reader);
        const Bench::PacketFiles& files = packets_.at(size);
        const auto peak = Bench::MedianOf(Bench::SampleCount(3), [&] {
            return Bench::PeakGrowthBytes([&] { return read(reader, files); });
        });
        QVERIFY(peak);
        const qint64 bytes = isXml(reader) ? files.xmlBytes : files.binaryBytes;
        // Bytes of peak memory for each byte of the file.
        QTest::setBenchmarkResult(*peak / static_cast<double>(bytes), QTest::BytesAllocated);
    }
};

int main(int argc, char** argv) {
    Bench::PrepareEnvironment();
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    std::vector<int> megabytes{1, 10};
    const qsizetype separator = arguments.indexOf(QStringLiteral("--"));
    if (separator >= 0) {
        megabytes.clear();
        for (const QString& argument : arguments.mid(separator + 1)) {
            bool ok = false;
            const int size = argument.toInt(&ok);
            if (!ok || size < 1 || size > 1000) {
                qCritical("a packet size is 1 to 1000 megabytes");
                return 2;
            }
            megabytes.push_back(size);
        }
        arguments = arguments.mid(0, separator);
    }
    PacketReadBench bench(megabytes);
    return QTest::qExec(&bench, arguments);
}

#include "bench_packetread.moc"
