// The system configuration and general parameters windows, driven as an
// operator would, with the configuration file replaced by a stand-in that
// keeps the settings it was last given and gives them back on reading.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <set>

#include "shell/AgganciConfig.h"
#include "shell/Globali.h"
#include "shell/frmConfig.h"
#include "shell/frmParam.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"

using namespace obx;

namespace {

// Every setting the two windows may touch.
struct Impostazioni {
    QString cConsiglio, cTLVLista, cTLVRiserva, cSepara;
    int iVotanti, iPrimoTLV, iUltimoTLV, iRiservaProssima, iRiservaUltima;
    int iPortaTLV, iPortaRAD, iPortaTAB, iModoOBX, iTipoTAB, iRiservato, iConfigOBX;
    int iNMaxInterventi, iTempoRelatore, iTempoMaxPartito, iProtocolloTLV;

    static Impostazioni Correnti()
    {
        return {obx::cConsiglio,      obx::cTLVLista,      obx::cTLVRiserva,      obx::cSepara,
                obx::iVotanti,        obx::iPrimoTLV,      obx::iUltimoTLV,       obx::iRiservaProssima,
                obx::iRiservaUltima,  obx::iPortaTLV,      obx::iPortaRAD,        obx::iPortaTAB,
                obx::iModoOBX,        obx::iTipoTAB,       obx::iRiservato,       obx::iConfigOBX,
                obx::iNMaxInterventi, obx::iTempoRelatore, obx::iTempoMaxPartito, obx::iProtocolloTLV};
    }
    void Applica() const
    {
        obx::cConsiglio = cConsiglio;
        obx::cTLVLista = cTLVLista;
        obx::cTLVRiserva = cTLVRiserva;
        obx::cSepara = cSepara;
        obx::iVotanti = iVotanti;
        obx::iPrimoTLV = iPrimoTLV;
        obx::iUltimoTLV = iUltimoTLV;
        obx::iRiservaProssima = iRiservaProssima;
        obx::iRiservaUltima = iRiservaUltima;
        obx::iPortaTLV = iPortaTLV;
        obx::iPortaRAD = iPortaRAD;
        obx::iPortaTAB = iPortaTAB;
        obx::iModoOBX = iModoOBX;
        obx::iTipoTAB = iTipoTAB;
        obx::iRiservato = iRiservato;
        obx::iConfigOBX = iConfigOBX;
        obx::iNMaxInterventi = iNMaxInterventi;
        obx::iTempoRelatore = iTempoRelatore;
        obx::iTempoMaxPartito = iTempoMaxPartito;
        obx::iProtocolloTLV = iProtocolloTLV;
    }
    bool operator==(const Impostazioni&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Impostazioni& s)
{
    return os << "{" << s.cConsiglio.toStdString() << " votanti " << s.iVotanti << " TLV " << s.cTLVLista.toStdString()
              << " riserva " << s.cTLVRiserva.toStdString() << " porte " << s.iPortaTLV << "/" << s.iPortaTAB << "/"
              << s.iPortaRAD << " modo " << s.iModoOBX << " tipo " << s.iTipoTAB << " riservato " << s.iRiservato
              << " config " << s.iConfigOBX << " sep " << s.cSepara.toStdString() << " interventi " << s.iNMaxInterventi
              << "/" << s.iTempoRelatore << "/" << s.iTempoMaxPartito << "}";
}

class DialoghiConfig : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::EnsureQApp();
        ImpostaTabelleFisse();
        m_originali = Impostazioni::Correnti();
        m_agganci = AgganciDialoghiConfig();
        m_monitor = lMonitor;

        Impostazioni base{QStringLiteral("Consiglio Comunale"),
                          QStringLiteral("101-148"),
                          QStringLiteral("0-148"),
                          QStringLiteral(";"),
                          0,
                          101,
                          148,
                          0,
                          148,
                          3,
                          1,
                          1,
                          2 | 4 | 8 | 0x80,
                          2,
                          0x13,
                          1 | 2 | 4 | 0x1000,
                          9999,
                          10,
                          0,
                          4010};
        base.Applica();
        file = base;
        lMonitor[0] = {65537, 0, 0, 768, 1024};
        lMonitor[1] = {};

        AgganciConfig& a = AgganciDialoghiConfig();
        a.GestisceConfig = [this](bool leggi) {
            if (leggi) {
                ++letture;
                file.Applica();
            } else {
                ++scritture;
                file = Impostazioni::Correnti();
            }
        };
        a.TestaPorta = [this](int n) { return porteAperte.count(n) > 0; };
        a.TestaCentralina = [this](int n) {
            porteProvate.push_back(n);
            return centralinaRisponde;
        };
        a.MostraDiagnosticaRadio = {};
    }
    void TearDown() override
    {
        AgganciDialoghiConfig() = m_agganci;
        m_originali.Applica();
        lMonitor = m_monitor;
    }

    template <class T>
    static T* W(QWidget* f, const QString& nome)
    {
        T* w = f->findChild<T*>(nome);
        if (!w) ADD_FAILURE() << "manca il controllo " << nome.toStdString();
        return w;
    }
    static QLineEdit* Campo(QWidget* f, int i) { return W<QLineEdit>(f, QStringLiteral("getConfig(%1)").arg(i)); }
    static QCheckBox* Cablato(QWidget* f, int i) { return W<QCheckBox>(f, QStringLiteral("chkCablato(%1)").arg(i)); }
    static QPushButton* Bottone(QWidget* f, const char* nome, int i)
    {
        return W<QPushButton>(f, QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i));
    }
    static QStringList Voci(QComboBox* c)
    {
        QStringList l;
        for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
        return l;
    }

    test::ScriptedUI ui;
    Impostazioni file{};  // what the configuration file holds
    int letture = 0, scritture = 0;
    std::set<int> porteAperte{1, 3};
    std::vector<int> porteProvate;
    bool centralinaRisponde = true;

private:
    Impostazioni m_originali{};
    AgganciConfig m_agganci;
    std::array<DatiMonitor, 2> m_monitor{};
};

// ---------------------------------------------------------------------------
// System configuration

TEST_F(DialoghiConfig, ConfigShowsStoredSettingsOnActivation)
{
    // What is in memory gives way to what the file holds.
    file.cConsiglio = QStringLiteral("Dal file");
    cConsiglio = QStringLiteral("In memoria");

    frmConfig f;
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Configurazione O.B.X."));
    EXPECT_EQ(letture, 1);
    EXPECT_EQ(scritture, 0);
    EXPECT_EQ(Campo(&f, 0)->text(), QStringLiteral("Dal file"));
    EXPECT_EQ(Campo(&f, 1)->text(), QString());  // 0 shows empty
    EXPECT_EQ(Campo(&f, 3)->text(), QStringLiteral("101"));
    EXPECT_EQ(Campo(&f, 4)->text(), QStringLiteral("148"));
    EXPECT_EQ(Campo(&f, 5)->text(), QString());
    EXPECT_EQ(Campo(&f, 2)->text(), QStringLiteral(";"));
    EXPECT_EQ(Campo(&f, 6)->text(), QStringLiteral("3"));  // only the low four bits

    const QStringList porte{QStringLiteral("Com 1"), QStringLiteral("Com 3")};
    for (const char* n : {"cmbPorteTLV", "cmbPorteTAB", "cmbPorteRAD"})
        EXPECT_EQ(Voci(W<QComboBox>(&f, QLatin1String(n))), porte) << n;
    EXPECT_EQ(W<QComboBox>(&f, QStringLiteral("cmbPorteTLV"))->currentText(), QStringLiteral("Com 3"));
    EXPECT_EQ(W<QComboBox>(&f, QStringLiteral("cmbPorteTAB"))->currentText(), QStringLiteral("Com 1"));
    EXPECT_EQ(W<QComboBox>(&f, QStringLiteral("cmbPorteRAD"))->currentText(), QStringLiteral("Com 1"));

    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Cablato(&f, i)->isChecked()) << i;
    EXPECT_FALSE(W<QCheckBox>(&f, QStringLiteral("chkParallela"))->isChecked());
    EXPECT_TRUE(W<QCheckBox>(&f, QStringLiteral("chkAutoPre"))->isChecked());
    EXPECT_TRUE(W<QCheckBox>(&f, QStringLiteral("chkCentralina"))->isChecked());
    auto* display = W<QComboBox>(&f, QStringLiteral("cmbDisplay"));
    EXPECT_EQ(display->count(), 6);
    EXPECT_EQ(display->currentText(), QStringLiteral("8 righe x 20 car."));
    EXPECT_EQ(W<QLabel>(&f, QStringLiteral("lblVideo(0)"))->text(), QStringLiteral("65537: 0,0 1024x768"));
    EXPECT_EQ(W<QLabel>(&f, QStringLiteral("lblVideo(1)"))->text(), QStringLiteral("n.d."));

    // A port frame follows its wiring box.
    auto* fraTLV = W<QGroupBox>(&f, QStringLiteral("fraConfig(4)"));
    EXPECT_TRUE(fraTLV->isEnabled());
    Cablato(&f, 1)->setChecked(false);
    EXPECT_FALSE(fraTLV->isEnabled());
    EXPECT_TRUE(W<QGroupBox>(&f, QStringLiteral("fraConfig(1)"))->isEnabled());
    Cablato(&f, 0)->setChecked(false);
    EXPECT_FALSE(W<QGroupBox>(&f, QStringLiteral("fraConfig(1)"))->isEnabled());
}

TEST_F(DialoghiConfig, ConfigSaveStoresEverySettingAndWritesOnce)
{
    frmConfig f;
    f.show();
    Campo(&f, 0)->setText(QStringLiteral("Consiglio Provinciale"));
    Campo(&f, 1)->setText(QStringLiteral("30"));
    Campo(&f, 3)->setText(QStringLiteral("1"));
    Campo(&f, 4)->setText(QStringLiteral("40"));
    Campo(&f, 5)->setText(QStringLiteral("31"));
    Campo(&f, 2)->setText(QString());
    Campo(&f, 6)->setText(QStringLiteral("5"));
    Cablato(&f, 0)->setChecked(false);
    W<QCheckBox>(&f, QStringLiteral("chkParallela"))->setChecked(true);
    W<QComboBox>(&f, QStringLiteral("cmbPorteTLV"))->setCurrentIndex(0);
    W<QComboBox>(&f, QStringLiteral("cmbPorteTAB"))->setCurrentIndex(1);
    W<QComboBox>(&f, QStringLiteral("cmbDisplay"))->setCurrentIndex(4);
    W<QCheckBox>(&f, QStringLiteral("chkCentralina"))->setChecked(false);
    Bottone(&f, "cmdConfig", 1)->click();

    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(scritture, 1);
    EXPECT_EQ(cConsiglio, QStringLiteral("Consiglio Provinciale"));
    EXPECT_EQ(iVotanti, 30);
    EXPECT_EQ(iPrimoTLV, 1);
    EXPECT_EQ(iUltimoTLV, 40);
    EXPECT_EQ(iRiservaProssima, 31);
    EXPECT_EQ(iRiservaUltima, 40);  // always the last unit
    EXPECT_EQ(cTLVLista, QStringLiteral("1-40"));
    EXPECT_EQ(cTLVRiserva, QStringLiteral("31-40"));
    EXPECT_EQ(iRiservato, 5);
    EXPECT_EQ(cSepara, QStringLiteral("\\"));
    EXPECT_EQ(iModoOBX, 4 | 8 | 0x200);  // rebuilt whole: 0x80 and the card bit gone
    EXPECT_EQ(iPortaTLV, 1);
    EXPECT_EQ(iPortaTAB, 3);
    EXPECT_EQ(iPortaRAD, 0);                // not wired
    EXPECT_EQ(iConfigOBX, 1 | 4 | 0x1000);  // only bit 2 cleared
    EXPECT_EQ(iTipoTAB, 5);
    EXPECT_EQ(file, Impostazioni::Correnti());
}

TEST_F(DialoghiConfig, ConfigCancelChangesNothing)
{
    const Impostazioni prima = Impostazioni::Correnti();
    frmConfig f;
    QTimer::singleShot(0, &f, [&] {
        Campo(&f, 0)->setText(QStringLiteral("Altro"));
        Campo(&f, 1)->setText(QStringLiteral("25"));
        Campo(&f, 6)->setText(QStringLiteral("9"));
        Cablato(&f, 2)->setChecked(false);
        W<QComboBox>(&f, QStringLiteral("cmbPorteTLV"))->setCurrentIndex(0);
        W<QComboBox>(&f, QStringLiteral("cmbDisplay"))->setCurrentIndex(5);
        W<QCheckBox>(&f, QStringLiteral("chkAutoPre"))->setChecked(false);
        Bottone(&f, "cmdConfig", 0)->click();
    });
    EXPECT_EQ(f.exec(), QDialog::Rejected);
    EXPECT_EQ(Impostazioni::Correnti(), prima);  // the display type included
    EXPECT_EQ(scritture, 0);
    EXPECT_EQ(file, prima);
}

struct CasoNumero {
    const char* testo;
    int atteso;
};

TEST_F(DialoghiConfig, ConfigReadsFieldsByTheLeadingNumber)
{
    const CasoNumero casi[] = {{"12ab", 12}, {"", 0}, {"abc", 0}, {"  7", 7}, {"3.6", 4}, {"0", 0}};
    for (const auto& c : casi) {
        iVotanti = 99;
        file.iVotanti = 99;
        frmConfig f;
        f.show();
        Campo(&f, 1)->setText(QString::fromUtf8(c.testo));
        Bottone(&f, "cmdConfig", 1)->click();
        EXPECT_EQ(iVotanti, c.atteso) << c.testo;
    }
}

struct CasoSeparatore {
    const char* testo;
    const char* atteso;
};

TEST_F(DialoghiConfig, ConfigSeparatorIsOneCharacterAndBlankSavesBackslash)
{
    const CasoSeparatore casi[] = {{"", "\\"}, {" ", "\\"}, {"#", "#"}, {"\\", "\\"}};
    for (const auto& c : casi) {
        frmConfig f;
        f.show();
        Campo(&f, 2)->setText(QString::fromUtf8(c.testo));
        Bottone(&f, "cmdConfig", 1)->click();
        EXPECT_EQ(cSepara, QString::fromUtf8(c.atteso)) << "'" << c.testo << "'";
    }
    // A blank separator in the file shows as the backslash.
    file.cSepara = QStringLiteral(" ");
    frmConfig f;
    f.show();
    EXPECT_EQ(Campo(&f, 2)->text(), QStringLiteral("\\"));
}

TEST_F(DialoghiConfig, ConfigPortThatNoLongerOpensIsReplacedOnlyWhenSaved)
{
    file.iPortaTLV = 7;
    file.iPortaTAB = file.iPortaRAD = 3;  // away from the port taken in its place
    file.Applica();
    {
        frmConfig f;
        f.show();
        EXPECT_EQ(W<QComboBox>(&f, QStringLiteral("cmbPorteTLV"))->currentText(), QStringLiteral("Com 1"));
        EXPECT_TRUE(Cablato(&f, 1)->isChecked());
        EXPECT_EQ(scritture, 0);  // showing it writes nothing
        EXPECT_EQ(iPortaTLV, 7);
        Bottone(&f, "cmdConfig", 0)->click();
    }
    EXPECT_EQ(iPortaTLV, 7);
    EXPECT_EQ(file.iPortaTLV, 7);

    frmConfig f;
    f.show();
    Bottone(&f, "cmdConfig", 1)->click();
    EXPECT_EQ(scritture, 1);
    EXPECT_EQ(file.iPortaTLV, 1);
    EXPECT_TRUE(file.iModoOBX & 4);
}

TEST_F(DialoghiConfig, ConfigWithoutPortsShowsDevicesNotWired)
{
    porteAperte.clear();
    {
        frmConfig f;
        f.show();
        for (int i = 0; i < 3; ++i) EXPECT_FALSE(Cablato(&f, i)->isChecked()) << i;
        EXPECT_FALSE(W<QGroupBox>(&f, QStringLiteral("fraConfig(4)"))->isEnabled());
        EXPECT_EQ(scritture, 0);
        EXPECT_EQ(iModoOBX, 2 | 4 | 8 | 0x80);
        Bottone(&f, "cmdConfig", 1)->click();
    }
    EXPECT_EQ(file.iModoOBX, 0);
    EXPECT_EQ(file.iPortaTLV, 0);
    EXPECT_EQ(file.iPortaTAB, 0);
    EXPECT_EQ(file.iPortaRAD, 0);

    // A board on the parallel port stays wired without a serial port.
    file.iModoOBX = kCablaggioTabellone | kCablaggioParallela;
    frmConfig f;
    f.show();
    EXPECT_TRUE(Cablato(&f, 2)->isChecked());
    Bottone(&f, "cmdConfig", 1)->click();
    EXPECT_EQ(file.iModoOBX, 8 | 0x200);
}

struct CasoConflitto {
    const char* nome;
    bool card, votatori, tabellone, parallela;
    int tlv, tab, rad;
    std::vector<const char*> messaggi;
    int modo, portaTAB, portaRAD;
};

TEST_F(DialoghiConfig, ConfigNeverGivesTheCentralsPortToAnotherDevice)
{
    const CasoConflitto casi[] = {
        {"board on the central's port", false, true, true, false, 3, 3, 0, {"Porta Tabellone non valida"}, 4, 0, 0},
        {"board on the parallel port", false, true, true, true, 3, 3, 0, {}, 4 | 8 | 0x200, 3, 0},
        {"card reader on the central's port",
         true,
         true,
         true,
         false,
         3,
         1,
         3,
         {"Porta Smart Card non valida"},
         4 | 8,
         1,
         0},
        {"all three on one port",
         true,
         true,
         true,
         false,
         3,
         3,
         3,
         {"Porta Tabellone non valida", "Porta Smart Card non valida"},
         4,
         0,
         0},
        {"board and card reader share a port", true, true, true, false, 1, 3, 3, {}, 2 | 4 | 8, 3, 3},
        {"no central", true, false, true, false, 3, 3, 3, {}, 2 | 8, 3, 3},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        for (const char* m : c.messaggi) ui->AttendiMsg(QString::fromUtf8(m));
        frmConfig f;
        f.show();
        Cablato(&f, 0)->setChecked(c.card);
        Cablato(&f, 1)->setChecked(c.votatori);
        Cablato(&f, 2)->setChecked(c.tabellone);
        W<QCheckBox>(&f, QStringLiteral("chkParallela"))->setChecked(c.parallela);
        W<QComboBox>(&f, QStringLiteral("cmbPorteTLV"))->setEditText(QStringLiteral("Com %1").arg(c.tlv));
        W<QComboBox>(&f, QStringLiteral("cmbPorteTAB"))->setEditText(QStringLiteral("Com %1").arg(c.tab));
        W<QComboBox>(&f, QStringLiteral("cmbPorteRAD"))->setEditText(QStringLiteral("Com %1").arg(c.rad));
        Bottone(&f, "cmdConfig", 1)->click();
        EXPECT_TRUE(ui->Restanti().empty());
        EXPECT_EQ(f.result(), QDialog::Accepted);
        EXPECT_EQ(file.iModoOBX, c.modo);
        EXPECT_EQ(file.iPortaTLV, c.votatori ? c.tlv : 0);
        EXPECT_EQ(file.iPortaTAB, c.portaTAB);
        EXPECT_EQ(file.iPortaRAD, c.portaRAD);
    }
    for (const auto& v : ui->Storia()) {
        EXPECT_EQ(v.titolo, kTitoloOBX);
        EXPECT_EQ(v.stile, vbOKOnly);
    }
}

struct CasoFuoriLimite {
    const char* controllo;
    const char* testo;
    const char* messaggio;
};

TEST_F(DialoghiConfig, ConfigRefusesNumbersThatDoNotFitAndStoresNothing)
{
    const CasoFuoriLimite casi[] = {
        {"getConfig(6)", "40000", "Valore non valido nel campo \"Riservato\""},
        {"getConfig(6)", "99999", "Valore non valido nel campo \"Riservato\""},
        {"getConfig(1)", "-1", "Valore non valido nel campo \"Votanti\""},
        {"getConfig(4)", "-20", "Valore non valido nel campo \"Ultimo Votatore\""},
        {"cmbPorteTLV", "Com 99999", "Numero di porta non valido in \"Porta per Votatori\""},
        {"cmbPorteTAB", "Com", "Numero di porta non valido in \"Porta per Tabellone\""},
        {"cmbPorteRAD", "Com -2", "Numero di porta non valido in \"Porta per Smart Card\""},
    };
    const Impostazioni prima = Impostazioni::Correnti();
    for (const auto& c : casi) {
        SCOPED_TRACE(c.testo);
        ui->AttendiMsg(QString::fromUtf8(c.messaggio), vbOK, true);
        frmConfig f;
        f.show();
        Campo(&f, 0)->setText(QStringLiteral("Da non salvare"));
        const QString nome = QString::fromUtf8(c.controllo);
        if (auto* e = f.findChild<QLineEdit*>(nome); e && nome.startsWith(u"get"))
            e->setText(QString::fromUtf8(c.testo));
        else
            W<QComboBox>(&f, nome)->setEditText(QString::fromUtf8(c.testo));
        Bottone(&f, "cmdConfig", 1)->click();
        EXPECT_TRUE(ui->Restanti().empty());
        EXPECT_TRUE(f.isVisible());  // the operator can put it right
        EXPECT_EQ(Impostazioni::Correnti(), prima);
        EXPECT_EQ(scritture, 0);
        ASSERT_FALSE(ui->Storia().empty());
        EXPECT_EQ(ui->Storia().back().titolo, kTitoloOBX);
        EXPECT_EQ(ui->Storia().back().stile, vbExclamation);
    }

    // Put right, the same window saves.
    ui->AttendiMsg(QStringLiteral("Riservato"), vbOK, true);
    frmConfig f;
    f.show();
    Campo(&f, 6)->setText(QStringLiteral("32768"));
    Bottone(&f, "cmdConfig", 1)->click();
    Campo(&f, 6)->setText(QStringLiteral("32767"));
    Bottone(&f, "cmdConfig", 1)->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(iRiservato, 32767);
    EXPECT_EQ(scritture, 1);
}

// The first reserve unit is proposed when the field holds none; what the
// installer typed there is kept, when the field is entered again and when
// the window takes the focus back.
TEST_F(DialoghiConfig, ConfigProposesTheFirstReserveUnitWhenEmpty)
{
    frmConfig f;
    f.show();
    Campo(&f, 1)->setText(QStringLiteral("30"));
    Campo(&f, 3)->setText(QStringLiteral("1"));
    QFocusEvent dentro(QEvent::FocusIn, Qt::TabFocusReason);
    QFocusEvent ritorno(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    for (const char* vuoto : {"", "0"}) {
        Campo(&f, 5)->setText(QString::fromLatin1(vuoto));
        QApplication::sendEvent(Campo(&f, 5), &dentro);
        EXPECT_EQ(Campo(&f, 5)->text(), QStringLiteral("31")) << vuoto;
    }

    Campo(&f, 5)->setText(QStringLiteral("77"));
    QApplication::sendEvent(Campo(&f, 5), &dentro);
    QApplication::sendEvent(Campo(&f, 5), &ritorno);
    EXPECT_EQ(Campo(&f, 5)->text(), QStringLiteral("77"));

    // Emptied by the installer, it is not refilled behind their back.
    Campo(&f, 5)->setText(QString());
    QApplication::sendEvent(Campo(&f, 5), &ritorno);
    EXPECT_EQ(Campo(&f, 5)->text(), QString());

    Campo(&f, 1)->setText(QString());
    Campo(&f, 3)->setText(QString());
    QApplication::sendEvent(Campo(&f, 5), &dentro);
    EXPECT_EQ(Campo(&f, 5)->text(), QString());  // 0 shows empty
}

struct CasoProva {
    const char* voce;
    int protocollo;
    bool risponde;
    int portaProvata;       // 0: no test
    const char* messaggio;  // nullptr: none
};

TEST_F(DialoghiConfig, ConfigTestsTheCentralOnTheChosenPort)
{
    const CasoProva casi[] = {
        {"Com 3", 4010, true, 3, "Ok (4010)"},     {"Com 3", 7777, true, 3, "Ok (e-tavelix)"},
        {"Com 3", 4010, false, 3, nullptr},        {"Com 12", 4010, true, 12, "Ok (4010)"},
        {"Com 100", 4010, true, 100, "Ok (4010)"}, {"", 4010, true, 0, nullptr},
        {"   ", 4010, true, 0, nullptr},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.voce);
        porteProvate.clear();
        file.iProtocolloTLV = c.protocollo;
        centralinaRisponde = c.risponde;
        if (c.messaggio) ui->AttendiMsg(QString::fromUtf8(c.messaggio));
        frmConfig f;
        f.show();
        W<QComboBox>(&f, QStringLiteral("cmbPorteTLV"))->setEditText(QString::fromUtf8(c.voce));
        W<QPushButton>(&f, QStringLiteral("cmdComTest"))->click();
        EXPECT_TRUE(ui->Restanti().empty());
        if (c.portaProvata)
            EXPECT_EQ(porteProvate, std::vector<int>{c.portaProvata});
        else
            EXPECT_TRUE(porteProvate.empty());
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(scritture, 0);
    }
}

TEST_F(DialoghiConfig, ConfigStaysOpenWhileTheCentralIsTested)
{
    frmConfig f;
    // The test lets the event loop turn: the operator's clicks land inside it.
    AgganciDialoghiConfig().TestaCentralina = [&](int) {
        Bottone(&f, "cmdConfig", 0)->click();
        Bottone(&f, "cmdConfig", 1)->click();
        f.close();
        W<QPushButton>(&f, QStringLiteral("cmdComTest"))->click();
        return true;
    };
    ui->AttendiMsg(QStringLiteral("Ok (4010)"));
    f.show();
    W<QPushButton>(&f, QStringLiteral("cmdComTest"))->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(scritture, 0);
    Bottone(&f, "cmdConfig", 0)->click();
    EXPECT_FALSE(f.isVisible());
}

TEST_F(DialoghiConfig, ConfigKeepsADisplayTypeOutsideTheList)
{
    for (int tipo : {0, 9}) {
        file.iTipoTAB = tipo;
        frmConfig f;
        f.show();
        EXPECT_EQ(W<QComboBox>(&f, QStringLiteral("cmbDisplay"))->currentIndex(), -1);
        Bottone(&f, "cmdConfig", 1)->click();
        EXPECT_EQ(iTipoTAB, tipo);
    }
}

// ---------------------------------------------------------------------------
// General parameters

TEST_F(DialoghiConfig, ParamShowsStoredSettings)
{
    file.iTempoMaxPartito = 0;
    file.iConfigOBX = kOpzAutoPresenza | kOpzVerificaRisposta | kOpzStampaAutomatica | kOpzBaseSenzaNonVotanti |
                      kOpzStampaSenzaPresenti | kOpzMostraVoti;
    frmParam f;
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Parametri Generali"));
    EXPECT_EQ(letture, 1);
    EXPECT_EQ(W<QLineEdit>(&f, QStringLiteral("getParam(0)"))->text(), QStringLiteral("9999"));
    EXPECT_EQ(W<QLineEdit>(&f, QStringLiteral("getParam(1)"))->text(), QString());
    EXPECT_EQ(W<QLineEdit>(&f, QStringLiteral("getParam(2)"))->text(), QStringLiteral("10"));
    const bool attesi[8] = {true, false, false, false, true, false, false, true};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(W<QCheckBox>(&f, QStringLiteral("chkParam(%1)").arg(i))->isChecked(), attesi[i]) << i;
    EXPECT_EQ(W<QCheckBox>(&f, QStringLiteral("chkParam(0)"))->text(),
              QStringLiteral(" Stampa Automatica a chiusura Votazione"));
}

struct CasoSetup {
    int protocollo, modo, porta;
    bool finestra, abilitato;
};

TEST_F(DialoghiConfig, ParamSetupOnlyForTheWiredRadioCentral)
{
    const CasoSetup casi[] = {
        {7777, 4, 1, true, true},  {4010, 4, 1, true, false},  {7777, 0, 1, true, false},
        {7777, 4, 0, true, false}, {7777, 4, 1, false, false},
    };
    for (const auto& c : casi) {
        file.iProtocolloTLV = c.protocollo;
        file.iModoOBX = c.modo;
        file.iPortaTLV = c.porta;
        AgganciDialoghiConfig().MostraDiagnosticaRadio =
            c.finestra ? std::function<void(QWidget*)>([](QWidget*) {}) : nullptr;
        frmParam f;
        f.show();
        EXPECT_EQ(Bottone(&f, "cmdParam", 2)->isEnabled(), c.abilitato)
            << c.protocollo << " " << c.modo << " " << c.porta << " " << c.finestra;
    }
}

TEST_F(DialoghiConfig, ParamSaveStoresLimitsAndItsBitsOnly)
{
    frmParam f;
    f.show();
    W<QLineEdit>(&f, QStringLiteral("getParam(0)"))->setText(QStringLiteral("12"));
    W<QLineEdit>(&f, QStringLiteral("getParam(1)"))->setText(QString());
    W<QLineEdit>(&f, QStringLiteral("getParam(2)"))->setText(QStringLiteral("5x"));
    for (int i = 0; i < 8; ++i) {
        auto* c = W<QCheckBox>(&f, QStringLiteral("chkParam(%1)").arg(i));
        c->setChecked(!c->isChecked());
    }
    Bottone(&f, "cmdParam", 0)->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(scritture, 1);
    EXPECT_EQ(iNMaxInterventi, 12);
    EXPECT_EQ(iTempoMaxPartito, 0);
    EXPECT_EQ(iTempoRelatore, 5);
    // Started as 1|2|4|0x1000: its own bits flipped, 1 and 2 untouched.
    EXPECT_EQ(iConfigOBX, 1 | 2 | 16 | 32 | 64 | 0x200 | 0x400 | 0x800);
    EXPECT_EQ(file, Impostazioni::Correnti());
}

TEST_F(DialoghiConfig, ParamCancelChangesNothing)
{
    const Impostazioni prima = Impostazioni::Correnti();
    frmParam f;
    QTimer::singleShot(0, &f, [&] {
        W<QLineEdit>(&f, QStringLiteral("getParam(0)"))->setText(QStringLiteral("3"));
        W<QCheckBox>(&f, QStringLiteral("chkParam(3)"))->setChecked(true);
        Bottone(&f, "cmdParam", 1)->click();
    });
    EXPECT_EQ(f.exec(), QDialog::Rejected);
    EXPECT_EQ(Impostazioni::Correnti(), prima);
    EXPECT_EQ(scritture, 0);
}

TEST_F(DialoghiConfig, ParamShowsStoredValuesAfterTheDiagnostics)
{
    file.iProtocolloTLV = 7777;
    QWidget* padreVisto = nullptr;
    AgganciDialoghiConfig().MostraDiagnosticaRadio = [&](QWidget* p) { padreVisto = p; };
    frmParam f;
    f.show();
    auto* campo = W<QLineEdit>(&f, QStringLiteral("getParam(0)"));
    campo->setText(QStringLiteral("77"));
    W<QCheckBox>(&f, QStringLiteral("chkParam(1)"))->setChecked(true);
    Bottone(&f, "cmdParam", 2)->click();
    EXPECT_EQ(padreVisto, &f);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(letture, 2);
    EXPECT_EQ(campo->text(), QStringLiteral("9999"));
    EXPECT_FALSE(W<QCheckBox>(&f, QStringLiteral("chkParam(1)"))->isChecked());
    EXPECT_EQ(scritture, 0);
}

TEST_F(DialoghiConfig, ParamRefusesNumbersThatDoNotFit)
{
    const Impostazioni prima = Impostazioni::Correnti();
    ui->AttendiMsg(QStringLiteral("Valore non valido nel campo \"Tempo (in minuti) per Oratore\""), vbOK, true);
    frmParam f;
    f.show();
    W<QLineEdit>(&f, QStringLiteral("getParam(0)"))->setText(QStringLiteral("20"));
    W<QLineEdit>(&f, QStringLiteral("getParam(2)"))->setText(QStringLiteral("-1"));
    Bottone(&f, "cmdParam", 0)->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(Impostazioni::Correnti(), prima);
    EXPECT_EQ(scritture, 0);
    EXPECT_EQ(ui->Storia().back().stile, vbExclamation);
}

}  // namespace
