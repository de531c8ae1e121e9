// What the registers store is what the operator meant: a box takes no more
// than its limit under the present display type (a longer text stored
// before is kept only while left as it is), a typed identifier for a new
// act is not replaced by the proposed one, and names are stored trimmed.
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "acts-register/BancoLeggi.h"
#include "registers/Registri.h"
#include "registers/frmAnag.h"
#include "registers/frmDelib.h"
#include "shell/RecordAtti.h"

using namespace obx;
using namespace obx::test;

namespace {

// Keys typed where the cursor stands, without selecting first.
void Scrive(QWidget* campo, const QString& testo)
{
    for (QChar c : testo) {
        QKeyEvent k(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(campo, &k);
    }
}
void Tasto(QWidget* campo, int tasto)
{
    QKeyEvent k(QEvent::KeyPress, tasto, Qt::NoModifier);
    QApplication::sendEvent(campo, &k);
}

class LimitiDelibere : public RegistroProva {
public:
    void ChiudeFinestre() override
    {
        Chiude(w);
        w = nullptr;
    }
    QLineEdit* Campo(int i) { return w->findChild<QLineEdit*>(QStringLiteral("getDelibera(%1)").arg(i)); }
    QWidget* Widget(int i) { return w->findChild<QWidget*>(QStringLiteral("getDelibera(%1)").arg(i)); }
    QPushButton* Comando(int i) { return w->findChild<QPushButton*>(QStringLiteral("cmdDelibere(%1)").arg(i)); }
    QPointer<frmDelib> w;
};

// A title row stored when the board took 24 characters, shown under display
// type 2 (20 characters).
TEST_F(LimitiDelibere, AStoredLongerTitleDoesNotRaiseTheLimitForWhatIsTyped)
{
    const QString lungo = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUV");  // 22
    struct Caso {
        const char* nome;
        std::function<void(LimitiDelibere*)> agisce;
        QString atteso;  // what the box then holds and the row stores
    };
    const Caso casi[] = {
        {"left as it is: kept whole", [](LimitiDelibere*) {}, lungo},
        {"a new title typed over it",
         [](LimitiDelibere* t) { Digita(t->Campo(5), QStringLiteral("1234567890123456789012")); },
         QStringLiteral("12345678901234567890")},
        {"one more character at its end", [](LimitiDelibere* t) {
             t->Campo(5)->end(false);
             Scrive(t->Campo(5), QStringLiteral("X"));
         }, lungo},
        {"one character deleted: cut to the limit", [](LimitiDelibere* t) {
             t->Campo(5)->setCursorPosition(1);
             Tasto(t->Campo(5), Qt::Key_Backspace);
             t->Campo(5)->end(false);
             Scrive(t->Campo(5), QStringLiteral("X"));
         }, QStringLiteral("BCDEFGHIJKLMNOPQRSTU")},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        ChiudeFinestre();
        dbArchivio.Execute(QStringLiteral("DELETE FROM ") + cTabelle[2]);
        iTipoTAB = 2;
        w = frmDelib::Mostra();
        Comando(4)->click();
        Digita(Widget(1), QStringLiteral("P-1"));
        Digita(Widget(2), QStringLiteral("Bilancio"));
        Digita(Widget(3), QStringLiteral("Bilancio"));
        Digita(Widget(5), QStringLiteral("BILANCIO"));
        Digita(Widget(9), QStringLiteral("1"));
        Comando(0)->click();
        ASSERT_EQ(Comando(0)->text(), QStringLiteral("Salvato"));
        ScriveCampi(cTabelle[2], 1, {{"cTitolino1DE", lungo + QStringLiteral("  ")}});
        ChiudeFinestre();

        w = frmDelib::Mostra();
        ASSERT_EQ(Campo(5)->text(), lungo);
        c.agisce(this);
        EXPECT_EQ(Campo(5)->text(), c.atteso);
        Comando(0)->click();
        EXPECT_EQ(Riga(cTabelle[2], 1)["cTitolino1DE"].toString().trimmed(), c.atteso);
    }
}

class NomiAnagrafe : public RegistroProva {
protected:
    void ChiudeFinestre() override
    {
        Chiude(w);
        w = nullptr;
    }
    QLineEdit* Campo(int i) { return w->findChild<QLineEdit*>(QStringLiteral("getAnag(%1)").arg(i)); }
    QPushButton* Comando(int i) { return w->findChild<QPushButton*>(QStringLiteral("cmdAnag(%1)").arg(i)); }
    QPointer<frmAnag> w;
};

TEST_F(NomiAnagrafe, NamesAreStoredWithoutLeadingBlanks)
{
    w = frmAnag::Mostra();
    Comando(5)->click();
    // Into the full name before the short name was typed: nothing to start
    // from, and the name typed is stored as typed, without a blank in front.
    Entra(Campo(1));
    EXPECT_TRUE(Campo(1)->text().isEmpty());
    Scrive(Campo(1), QStringLiteral("BIANCHI Anna"));
    Digita(Campo(2), QStringLiteral("  BIANCHI A."));
    Digita(Campo(3), QStringLiteral(" Lista Civica"));
    w->findChild<QRadioButton*>(QStringLiteral("optAnag(2)"))->click();
    Digita(Campo(4), QStringLiteral("5"));
    Digita(Campo(5), QStringLiteral("3"));
    Digita(Campo(6), QStringLiteral("5"));
    Comando(0)->click();
    const QVariantMap r = Riga(cTabelle[1], 1);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_EQ(r["cNomeAN"].toString(), QStringLiteral("BIANCHI Anna").leftJustified(30));
    EXPECT_EQ(r["cNomeBreveAN"].toString(), QStringLiteral("BIANCHI A.").leftJustified(16));
    EXPECT_EQ(r["cPartitoAN"].toString(), QStringLiteral("Lista Civica").leftJustified(20));
}

class IdDigitato : public BancoLeggi {};

TEST_F(IdDigitato, ATypedIdentifierIsNotReplacedWhenItsBoxGetsTheFocusAgain)
{
    Apre();
    Sceglie(QStringLiteral("B1\\"));
    f->cmdLeggi_Click(4);
    SceglieTipo(QStringLiteral("Articolo"));
    Entra(f->getLegge(2));
    EXPECT_EQ(f->Testo(2), QStringLiteral("4"));  // the proposal
    Digita(f->getLegge(2), QStringLiteral("7 bis"));
    Esce(f->getLegge(2));
    Entra(f->getLegge(2));
    EXPECT_EQ(f->Testo(2), QStringLiteral("7 bis"));
    f->cmdLeggi_Click(5);
    EXPECT_NE(CodiceDaChiave(ChiaveAlbero({QStringLiteral("B1"), QStringLiteral("J7 bis")})), 0);
}

}  // namespace
