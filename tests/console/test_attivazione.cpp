// The console's own activation: what losing and regaining the focus does by
// the activation mark, which windows never take the record sets and the
// timer, the first activation's questions, and rows written meanwhile.
#include <QMessageBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QWidget>

#include "board/frmVideo.h"
#include "links/frmLED.h"
#include "platform/Elenchi.h"
#include "platform/Temporizzatore.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"

namespace obx::test {
namespace {

bool RecordsetAperti(const frmCons* f)
{
    return f->rsEventi.IsOpen() && f->rsVoti.IsOpen() && f->rsDelibere.IsOpen() && f->rsLeggi.IsOpen();
}

bool RecordsetChiusi(const frmCons* f)
{
    return !f->rsEventi.IsOpen() && !f->rsVoti.IsOpen() && !f->rsDelibere.IsOpen() && !f->rsLeggi.IsOpen();
}

// Message boxes that really appear and take the focus before the scripted
// answer is given; what the console holds while each is up is recorded.
class UIConFinestre : public Dialoghi {
public:
    explicit UIConFinestre(DialoghiScriptati& s) : m_s(s) { ImpostaUI(this); }
    ~UIConFinestre() override { ImpostaUI(&m_s); }

    int MsgBox(const QString& testo, int stile, const QString& titolo) override
    {
        QMessageBox box;
        box.setWindowTitle(titolo);
        box.setText(testo);
        box.show();
        box.activateWindow();
        Gira(40);
        ++mostrati;
        if (frmCons* f = frmConsAperto()) {
            if (!f->croTimer().Enabled()) timerFermo = true;
            if (!RecordsetAperti(f)) recordsetChiusi = true;
            if (!f->Attiva()) disattivata = true;
        }
        const int r = m_s.MsgBox(testo, stile, titolo);
        box.close();
        Gira(20);
        return r;
    }
    bool InputBox(const QString& p, const QString& t, const QString& d, QString& r) override
    {
        return m_s.InputBox(p, t, d, r);
    }
    QString ApriFile(const QString& t, const QString& c, const QString& f, bool n) override
    {
        return m_s.ApriFile(t, c, f, n);
    }
    QString SalvaFile(const QString& t, const QString& c, const QString& f) override { return m_s.SalvaFile(t, c, f); }
    bool ScegliStampante(QPrinter& p) override { return m_s.ScegliStampante(p); }
    bool ScegliColore(int32_t& c, const QString& t) override { return m_s.ScegliColore(c, t); }
    bool ScegliFont(QString& f, const QString& t) override { return m_s.ScegliFont(f, t); }

    int mostrati = 0;
    bool timerFermo = false, recordsetChiusi = false, disattivata = false;

private:
    DialoghiScriptati& m_s;
};

class Attivazione : public BancoConsole {};

TEST_F(Attivazione, MessaggioDuranteLaSedutaNonFermaIlTimer)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    {
        UIConFinestre finestre(**ui);
        (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
        f->cmdConsiglio(1)->click();
        (*ui)->AttendiMsg(QStringLiteral("Confermi Chiusura Seduta"), vbCancel);
        f->cmdConsiglio(0)->click();
        EXPECT_EQ(finestre.mostrati, 2);
        EXPECT_FALSE(finestre.timerFermo);
        EXPECT_FALSE(finestre.recordsetChiusi);
        EXPECT_FALSE(finestre.disattivata);
    }
    Gira(20);
    EXPECT_TRUE(f->croTimer().Enabled());
    EXPECT_TRUE(RecordsetAperti(f));
    EXPECT_TRUE(f->Attiva());
    EXPECT_EQ(f->cmdConsiglio(1)->text(), QStringLiteral("Ripresa"));
    EXPECT_EQ(f->cmdConsiglio(0)->text(), QStringLiteral("Chiusura"));
}

TEST_F(Attivazione, TabelloneEAnteprimaNonTolgonoNulla)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);

    // The projected board, even when it gets the focus.
    iModoAttivazione = 8192;
    FrmVideo& board = frmVideo();
    board.show();
    board.activateWindow();
    Gira(40);
    EXPECT_TRUE(f->Attiva());
    EXPECT_TRUE(f->croTimer().Enabled());
    EXPECT_TRUE(RecordsetAperti(f));

    // The LED preview, and its "Nascondi" handing the operator back.
    frmLED().Mostra();
    frmLED().activateWindow();
    Gira(40);
    EXPECT_TRUE(f->Attiva());
    EXPECT_TRUE(f->croTimer().Enabled());
    EXPECT_TRUE(RecordsetAperti(f));
    iModoAttivazione = 8192;
    f->ChiudeRecordset();
    frmLED().cmdLed_Click(0);
    EXPECT_TRUE(RecordsetAperti(f));
    EXPECT_EQ(iModoAttivazione, 0);
    frmLED().cmdLed_Click(1);
    Gira(10);

    // Any window that says so.
    iModoAttivazione = 8192;
    QWidget anteprima;
    anteprima.setProperty(kProprietaSenzaDisattivazione, true);
    anteprima.show();
    anteprima.activateWindow();
    Gira(40);
    EXPECT_TRUE(f->Attiva());
    EXPECT_TRUE(f->croTimer().Enabled());
    EXPECT_TRUE(RecordsetAperti(f));

    // An event logged meanwhile is stored and the mark goes back to 0.
    f->SalvaEvento(QStringLiteral("E"), QStringLiteral("ROSSI M."));
    EXPECT_EQ(iModoAttivazione, 0);
    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev.back().lettera, QStringLiteral("E"));
    EXPECT_EQ(ev.back().nome.trimmed(), QStringLiteral("ROSSI M."));
}

TEST_F(Attivazione, UnAltraFinestraChiudeIRecordsetMaLEventoVieneSalvato)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);

    // The event list: the console gives up its record sets and its timer.
    iModoAttivazione = 32;
    QWidget listaEventi;
    listaEventi.show();
    listaEventi.activateWindow();
    // The console hands its record sets back on the loop's next turn.
    EXPECT_TRUE(GiraFinche([f] { return !f->Attiva() && RecordsetChiusi(f); }));
    EXPECT_TRUE(RecordsetChiusi(f));
    EXPECT_FALSE(f->croTimer().Enabled());

    // Something logs an event while the list has the focus: it is stored.
    f->SalvaEvento(QStringLiteral("E"), QStringLiteral("VERDI A."));
    f->SalvaEvento(QStringLiteral("U"), QStringLiteral("VERDI A."));
    auto ev = Eventi();
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_EQ(ev[1].lettera, QStringLiteral("E"));
    EXPECT_EQ(ev[2].lettera, QStringLiteral("U"));
    EXPECT_EQ(ev[2].descrizione.trimmed(), QStringLiteral("Esce"));

    // Back to the console: the record sets and the timer come back.
    listaEventi.close();
    Riattiva(f);
    EXPECT_TRUE(f->Attiva());
    EXPECT_TRUE(RecordsetAperti(f));
    EXPECT_TRUE(f->croTimer().Enabled());
    EXPECT_EQ(iModoAttivazione, 32);
}

TEST_F(Attivazione, DialogoDelSeggioLasciaTutto)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    iModoAttivazione = 256;
    QWidget dialogo;
    dialogo.show();
    dialogo.activateWindow();
    EXPECT_TRUE(GiraFinche([f] { return !f->Attiva(); }));
    EXPECT_TRUE(RecordsetAperti(f));
    EXPECT_TRUE(f->croTimer().Enabled());
    dialogo.close();
    Riattiva(f);
    EXPECT_EQ(iModoAttivazione, 256);
    EXPECT_TRUE(RecordsetAperti(f));
}

TEST_F(Attivazione, AttivaFormUnoRiapreSoltanto)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    f->ChiudeRecordset();
    f->croTimer().SetEnabled(false);
    iModoAttivazione = 8192 | 32768 | 32;
    const QString titolo = f->windowTitle();
    const int voci = f->cmbArgo(0)->count();
    f->AttivaForm(kAttivaRecordset);
    EXPECT_TRUE(RecordsetAperti(f));
    EXPECT_TRUE(f->croTimer().Enabled());
    EXPECT_EQ(iModoAttivazione, 32);
    EXPECT_EQ(f->windowTitle(), titolo);
    EXPECT_EQ(f->cmbArgo(0)->count(), voci);
    EXPECT_EQ(f->cmdConsiglio(0)->text(), QStringLiteral("Apertura"));
}

class PrimaAttivazione : public BancoConsole {
protected:
    void RigheVecchie()
    {
        Recordset ev = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
        ev.AddNew();
        ev.SetField(QStringLiteral("cTipoEventoEV"), QStringLiteral("A"));
        ev.Update();
        Recordset vt = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
        vt.AddNew();
        vt.SetField(QStringLiteral("cPaleseVT"), QStringLiteral("P"));
        vt.Update();
    }
};

TEST_F(PrimaAttivazione, ChiedeDiAzzerareConAnnullaPredefinito)
{
    RigheVecchie();
    iPrenotazioni = kPrenotazioniSospese | kPrenotazioniPannello;
    (*ui)->AttendiMsg(QStringLiteral("Azzera Lista Eventi"), vbOK);
    (*ui)->AttendiMsg(QStringLiteral("Azzera Votazioni"), vbCancel);
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[3]), 0);
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[4]), 1);
    EXPECT_EQ(iPrenotazioni, 1);
    for (const auto& v : (*ui)->Storia()) {
        EXPECT_EQ(v.stile, vbOKCancel + vbQuestion + vbDefaultButton2) << v.testo.toStdString();
        EXPECT_EQ(v.titolo, QStringLiteral("O.B.X."));
    }
    EXPECT_TRUE(f->croTimer().Enabled());

    // The record set over what is left takes new rows.
    f->SalvaEvento(QStringLiteral("A"), QString());
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[3]), 1);
}

TEST_F(PrimaAttivazione, TabelleVuoteNessunaDomanda)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE((*ui)->Storia().empty());
    EXPECT_TRUE(f->croTimer().Enabled());
}

}  // namespace
}  // namespace obx::test
