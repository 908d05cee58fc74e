#include "framework/controls.h"
#include "hostlib/hostlib.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QTranslator>

namespace {

// Portuguese to English for the test form only.
class EnglishTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (qstrcmp(context, "CaptionForm") != 0) {
            return {};
        }
        const QString source = QString::fromUtf8(sourceText);
        if (source == QStringLiteral("Nome")) {
            return QStringLiteral("Name");
        }
        if (source == QStringLiteral(u"Descri\u00E7\u00E3o")) {
            return QStringLiteral("Description");
        }
        if (source == QStringLiteral("Dados da Reserva")) {
            return QStringLiteral("Reservation data");
        }
        return {};
    }
};

} // namespace

class CaptionForm : public QWidget {
    Q_OBJECT

public:
    CaptionForm() {
        setWindowTitle(QStringLiteral("Dados da Reserva"));
        name->SetCaption("Nome");
        other->SetCaption("Enter");
        description->SetCaption("Descri\xE7\xE3o");
    }

    QWidget* panel = new QWidget(this);
    TBlendedButton* name = new TBlendedButton(this);
    TBlendedButton* other = new TBlendedButton(this);
    Controls::TLabel* description = new Controls::TLabel(panel);
};

class TradTest : public QObject {
    Q_OBJECT

private slots:
    void translatesCaptionsWithTheFormsClassAsContext() {
        EnglishTranslator english;
        QVERIFY(QCoreApplication::installTranslator(&english));
        CaptionForm form;
        TBlendedButton foreign;
        foreign.SetCaption("Nome");
        Trad(&form);
        Trad(&foreign);
        QCoreApplication::removeTranslator(&english);

        QCOMPARE(form.name->Caption(), AnsiString("Name"));
        QCOMPARE(form.description->Caption(), AnsiString("Description"));
        QCOMPARE(form.other->Caption(), AnsiString("Enter"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Reservation data"));
        QCOMPARE(foreign.Caption(), AnsiString("Nome"));
    }

    void withoutTranslationCaptionsStay() {
        CaptionForm form;
        Trad(&form);
        QCOMPARE(form.name->Caption(), AnsiString("Nome"));
        QCOMPARE(form.description->Caption(), AnsiString("Descri\xE7\xE3o"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Dados da Reserva"));
    }

    void formWithoutCaptionsIsLeftAlone() {
        QWidget form;
        auto* edit = new QLineEdit(QStringLiteral("Nome"), &form);
        Trad(&form);
        Trad(nullptr);
        QCOMPARE(edit->text(), QStringLiteral("Nome"));
        QVERIFY(form.windowTitle().isEmpty());
    }
};

QTEST_MAIN(TradTest)

#include "test_trad.moc"
