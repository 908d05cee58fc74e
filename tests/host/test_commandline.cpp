#include "host/commandline.h"
#include "host/settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Path = TerminalRequest::Path;

Q_DECLARE_METATYPE(TerminalRequest::Path)

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    // What the terminal is asked to do, and what it refuses before any window exists.
    void requests_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<Path>("path");
        QTest::addColumn<QDate>("listDay");
        QTest::addColumn<QString>("tables");
        QTest::addColumn<bool>("fullscreen");
        const QDate day(2026, 12, 8);
        QTest::newRow("nothing opens the day")
            << QStringList{} << false << Path::Day << QDate() << QString() << false;
        QTest::newRow("full screen")
            << QStringList{"--fullscreen"} << false << Path::Day << QDate() << QString() << true;
        QTest::newRow("new") << QStringList{"--new"} << false << Path::Entry << QDate() << QString()
                             << false;
        QTest::newRow("edit") << QStringList{"--edit", "3"} << false << Path::Entry << QDate()
                              << QString() << false;
        QTest::newRow("list, Brazilian day") << QStringList{"--list", "08/12/2026"} << false
                                             << Path::List << day << QString() << false;
        QTest::newRow("list, ISO day") << QStringList{"--list", "2026-12-08"} << false << Path::List
                                       << day << QString() << false;
        QTest::newRow("tables") << QStringList{"--tables", "1:4, 2:2"} << false << Path::Tables
                                << QDate() << QString("1:4, 2:2") << false;
        QTest::newRow("no tables") << QStringList{"--tables", ""} << false << Path::Tables
                                   << QDate() << QString("") << false;
        QTest::newRow("cancel") << QStringList{"--cancel", "12"} << false << Path::Cancel << QDate()
                                << QString() << false;
        const QList<QStringList> refusals{{"--list", "31/02/2026"},
                                          {"--list", "8/12/26"},
                                          {"--list"},
                                          {"--tables"},
                                          {"--list", "08/12/2026", "--tables", "1:4"},
                                          {"--list", "08/12/2026", "--new"},
                                          {"--tables", "1:4", "--edit", "1"},
                                          {"--show", "1", "--list", "08/12/2026"},
                                          {"--screenshot", "a.png", "--tables", ""},
                                          {"--fullscreen", "--new"},
                                          {"--fullscreen", "--list", "08/12/2026"},
                                          {"--fullscreen", "--screenshot", "a.png"},
                                          {"--cancel", "doze"},
                                          {"--cancel", "0"},
                                          {"--cancel", "3", "--edit", "3"},
                                          {"--fullscreen", "--cancel", "3"}};
        for (const QStringList& arguments : refusals) {
            QTest::newRow(qPrintable(arguments.join(' ')))
                << arguments << true << Path::Day << QDate() << QString() << false;
        }
    }

    void requests() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, refused);
        arguments.prepend(QStringLiteral("reservas-terminal"));
        const ParsedCommandLine parsed = ParseCommandLine(arguments);
        QCOMPARE(!parsed.request.has_value(), refused);
        if (refused) {
            QCOMPARE(parsed.exitCode, int(BadRequest));
            QVERIFY(parsed.textIsError && !parsed.text.isEmpty());
            return;
        }
        QTEST(parsed.request->path, "path");
        QTEST(parsed.request->listDay, "listDay");
        QTEST(parsed.request->tables, "tables");
        QTEST(parsed.request->fullscreen, "fullscreen");
    }

    // The settings file fills in what the command line leaves unsaid.
    void settings_data() {
        QTest::addColumn<QByteArray>("file"); // empty: there is no file
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("journal");
        QTest::addColumn<bool>("fullscreen");
        const QByteArray all = "db=/srv/reservas.db\njournal=/var/log/terminal.jsonl\n"
                               "fullscreen=true\n";
        QTest::newRow("no file") << QByteArray() << QStringList{} << QString() << QString()
                                 << false;
        QTest::newRow("from the file") << all << QStringList{} << "/srv/reservas.db"
                                       << "/var/log/terminal.jsonl" << true;
        QTest::newRow("the command line wins")
            << all << QStringList{"--db", "/tmp/other.db", "--journal", "/tmp/j.jsonl"}
            << "/tmp/other.db"
            << "/tmp/j.jsonl" << true;
        QTest::newRow("windowed in the file, full screen asked")
            << QByteArray("fullscreen=false\n") << QStringList{"--fullscreen"} << QString()
            << QString() << true;
    }

    void settings() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, arguments);
        const QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("reservas-terminal.conf"));
        if (!file.isEmpty()) {
            QFile written(path);
            QVERIFY(written.open(QIODevice::WriteOnly));
            written.write(file);
        }
        arguments.prepend(QStringLiteral("reservas-terminal"));
        TerminalRequest request = *ParseCommandLine(arguments).request;
        ApplySettings(path, request);
        QTEST(request.database, "database");
        QTEST(request.journal, "journal");
        QTEST(request.fullscreen, "fullscreen");
    }

    void settingsFileIsInTheConfigurationFolder() {
        const QTemporaryDir folder;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
        QCOMPARE(SettingsFile(), folder.filePath("reservas-terminal/reservas-terminal.conf"));
        qunsetenv("XDG_CONFIG_HOME");
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_commandline.moc"
