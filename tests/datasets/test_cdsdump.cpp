#include "packetbytes.h"
#include "samples.h"

#include "framework/data/datapacketbinary.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <sys/resource.h>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Standard output goes to the file when one is given; the address space is limited to that many
// bytes when a limit is given.
Run Cdsdump(const QStringList& arguments, const QString& standardOutput = {},
            rlim_t addressSpace = 0) {
    QProcess process;
    if (!standardOutput.isEmpty()) {
        process.setStandardOutputFile(standardOutput);
    }
    if (addressSpace > 0) {
        process.setChildProcessModifier([addressSpace] {
            const rlimit limit{addressSpace, addressSpace};
            setrlimit(RLIMIT_AS, &limit);
        });
    }
    process.start(QStringLiteral(CDSDUMP_PATH), arguments);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class CdsdumpTest : public QObject {
    Q_OBJECT

private slots:
    void printsFieldsThenRows() {
        QTemporaryDir dir;
        const QString path = WriteFile(dir, "PARAMETROSQUOR.CDS", HandWrittenParameters());
        const Run run = Cdsdump({path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0],
                 QByteArray(
                     R"({"fields":[)"
                     R"({"name":"IDESQUEMA","kind":"string","width":1,"attributes":[]},)"
                     R"({"name":"NRVERSAO","kind":"int32","width":0,"attributes":["required"]},)"
                     R"({"name":"VRTAXA","kind":"currency","width":0,"attributes":[]},)"
                     R"({"name":"DTATUALIZ","kind":"datetime","width":0,"attributes":[]},)"
                     R"({"name":"DTINICIO","kind":"date","width":0,"attributes":[]},)"
                     R"({"name":"IDATIVO","kind":"boolean","width":0,"attributes":[]},)"
                     R"({"name":"DSOBS","kind":"memo","width":0,"attributes":[]},)"
                     R"({"name":"NMLOJA","kind":"string","width":30,"attributes":["hidden"]}]})"));
        QCOMPARE(lines[1], QByteArray(R"({"IDESQUEMA":"2","NRVERSAO":7,"VRTAXA":12.5,)"
                                      R"("DTATUALIZ":"2026-12-07T19:30:00.000",)"
                                      R"("DTINICIO":"2026-12-07","IDATIVO":true,"DSOBS":"Obs.",)"
                                      "\"NMLOJA\":\"Jo\xC3\xA3o\"}"));
        QCOMPARE(lines[2], QByteArray(R"({"IDESQUEMA":"3","NRVERSAO":8,"VRTAXA":null,)"
                                      R"("DTATUALIZ":"1899-12-30T00:00:00.000","DTINICIO":null,)"
                                      R"("IDATIVO":false,"DSOBS":null,"NMLOJA":null})"));
        QCOMPARE(lines[3], QByteArray());
    }

    void convertsBetweenTheForms() {
        QTemporaryDir dir;
        const QByteArray binary =
            Datapacket::WriteBinaryPacket(Datapacket::CurrentView(EveryKindPacket()), "x");
        const QString original = WriteFile(dir, "every.cds", binary);
        const QString xml = dir.filePath("every.xml");
        const QString back = dir.filePath("back.cds");
        QCOMPARE(Cdsdump({"--to-xml", xml, original}).exitCode, 0);
        QVERIFY(ReadFile(xml).startsWith("<?xml"));
        QCOMPARE(Cdsdump({xml, "--to-binary", back}).exitCode, 0);
        QCOMPARE(ReadFile(back), binary);
        QCOMPARE(Cdsdump({original}).out, Cdsdump({xml}).out);
    }

    void failsWithExitCode2() {
        QTemporaryDir dir;
        const QString bad = WriteFile(dir, "bad.cds", HandWrittenParameters().left(40));
        const Run unreadable = Cdsdump({bad});
        QCOMPARE(unreadable.exitCode, 2);
        QCOMPARE(unreadable.out, QByteArray());
        QVERIFY2(
            unreadable.err.startsWith(bad.toLocal8Bit() + ": the column count says 8, more than"),
            unreadable.err.constData());

        const Run noFile = Cdsdump({});
        QCOMPARE(noFile.exitCode, 2);
        QVERIFY(noFile.err.contains("Usage:"));
        QCOMPARE(Cdsdump({bad, "--to-xml", "a.xml", "--to-binary", "b.cds"}).exitCode, 2);
        QCOMPARE(Cdsdump({"--unknown", bad}).exitCode, 2);
    }

    // Eight million rows of a one-byte number, 24 MB of file, are hundreds of MB of rows: under an
    // address space of 256 MB, the tool says it ran out of memory and fails as on any other fault.
    void runningOutOfMemoryFailsWithExitCode2() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer needs far more address space than the limit this test sets");
#endif
        constexpr std::uint32_t rows = 8'000'000;
        PacketBytes meta;
        meta.Name("X").U32(0x00010001).U16(0).U16(0).U16(0);
        QTemporaryDir dir;
        const QString path = WriteFile(
            dir, "rows.cds", meta.WithHeader(1, rows) + QByteArray("\0\0\x07", 3).repeated(rows));
        const Run run = Cdsdump({path}, {}, rlim_t{256} << 20);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err, path.toLocal8Bit() + ": not enough memory to read or write it\n");
    }

    void failedWritesFail_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("standardOutput");
        QTest::addColumn<QByteArray>("message");
        const QString full = QStringLiteral("/dev/full");
        QTest::newRow("rows") << QStringList() << full
                              << QByteArray("cannot write to standard output: ");
        QTest::newRow("help") << QStringList{"--help"} << full
                              << QByteArray("cannot write to standard output: ");
        QTest::newRow("XML") << QStringList{"--to-xml", full} << QString()
                             << QByteArray("/dev/full: could not be written: ");
        QTest::newRow("binary") << QStringList{"--to-binary", full} << QString()
                                << QByteArray("/dev/full: could not be written: ");
    }

    void failedWritesFail() {
        QFETCH(QStringList, options);
        QFETCH(QString, standardOutput);
        QFETCH(QByteArray, message);
        QTemporaryDir dir;
        const QString path = WriteFile(dir, "PARAMETROSQUOR.CDS", HandWrittenParameters());
        const Run run = Cdsdump(options << path, standardOutput);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith(message), run.err.constData());
        // A device is written in place, never replaced by a file.
        QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
    }
};

QTEST_GUILESS_MAIN(CdsdumpTest)

#include "test_cdsdump.moc"
