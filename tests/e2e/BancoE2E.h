// A sitting run end to end: the console on the fixture archive with its
// voting units on an obx-sim central (model given by the test's parameter)
// and the LED display board on a second obx-sim (`--device board`) that
// decodes every frame it gets into a log line.  The sitting is opened,
// attendance taken and an item opened through the console's own controls.
#pragma once

#include <QFile>
#include <QLabel>
#include <functional>
#include <ostream>
#include <utility>
#include <vector>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "links/ComSeriali.h"
#include "links/Tabellone.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Temporizzatore.h"
#include "platform/Testo.h"
#include "support/BancoVotoSim.h"

// Readable failures: texts printed as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace obx::test {

inline const QString kConferma = QStringLiteral("Confermi chiusura votazione ?");

class BancoE2E : public BancoVotoSim, public ::testing::WithParamInterface<int> {
protected:
    int Modello() const override { return GetParam(); }

    void SetUp() override
    {
        BancoVotoSim::SetUp();
        if (HasFatalFailure()) return;
        tabellone = std::make_unique<Simulatore>(PercorsoSimulatore(),
                                                 QStringList{QStringLiteral("--device"), QStringLiteral("board")});
        ASSERT_FALSE(tabellone->Percorso().isEmpty()) << "obx-sim board did not start";
        AggiungePorta(2, tabellone->Percorso());
        // Units and the LED board (one row of 24 characters) wired.
        iModoOBX = kCablaggioVotatori | kCablaggioTabellone;
        iPortaTAB = 2;
        iPortaRAD = 0;
        iTipoTAB = 1;
        xColoriVoto = false;
    }

    void TearDown() override
    {
        xColoriVoto = false;
        BancoVotoSim::TearDown();
        tabellone.reset();
    }

    // The console opened, its engine ticking fast (a tick every 40 ms, so
    // that a countdown of seconds runs in a fraction of one), the sitting
    // opened, the members with codes 1 to 7 in the chamber by clicks on
    // their seats (8 stays out), item 1 opened from the agenda and the vote
    // kind chosen in its combo.
    void Prepara(QChar tipoVoto)
    {
        f = Apre();
        ASSERT_NE(f, nullptr);
        f->croTimer().SetInterval(40);
        ApreSeduta(f);
        for (int codice = 1; codice <= 7; ++codice) Clic(codice);
        ASSERT_EQ(iPresenti, 7);
        ApreArgomento(QStringLiteral("  1"));
        ASSERT_EQ(iDelibera, 1);
        ScegliTipoVoto(tipoVoto);
    }

    // Index in aPosti of the person with that code (unit and LED position
    // are the code in the fixture).
    static int Seggio(int codice)
    {
        for (size_t i = 1; i < aPosti.size(); ++i)
            if (aPosti[i].bCodiceAN == codice) return int(i);
        ADD_FAILURE() << "no seat for code " << codice;
        return 0;
    }
    static bool Presente(int codice) { return (aPosti[size_t(Seggio(codice))].iStato & 1) != 0; }

    // A plain left click on the member's seat label: entry or exit.
    void Clic(int codice) { f->txtAnag_MouseDown(aPosti[size_t(Seggio(codice))].iPulsanteAN, 1, 0, 0, 0); }

    void ApreArgomento(const QString& voce)
    {
        for (int k = 0; k < f->cmbArgo(0)->ListCount(); ++k)
            if (f->cmbArgo(0)->List(k) == voce) {
                f->cmbArgo(0)->SetListIndex(k);
                return;
            }
        ADD_FAILURE() << "no agenda entry " << voce.toStdString();
    }

    void ScegliTipoVoto(QChar lettera)
    {
        const qsizetype i = cLettereVoti.indexOf(lettera);
        ASSERT_GE(i, 0);
        const QString nome = cNomiVoti[size_t(i)];
        for (int k = 0; k < f->cmbTipoVoto()->ListCount(); ++k)
            if (f->cmbTipoVoto()->List(k) == nome) {
                f->cmbTipoVoto()->SetListIndex(k);
                break;
            }
        ASSERT_EQ(cTipoVoto, QString(lettera));
    }

    // The keypads of the units press their keys ("yes", "no", "abstain").
    void Tasti(const std::vector<std::pair<int, const char*>>& tasti)
    {
        if (Modello() == 4010) {
            QString c = QStringLiteral("key");
            for (const auto& [unita, tasto] : tasti) c += QStringLiteral(" %1 %2").arg(unita).arg(QLatin1String(tasto));
            sim->Comando(c);
        } else {
            for (const auto& [unita, tasto] : tasti)
                sim->Comando(QStringLiteral("key %1 %2").arg(unita).arg(QLatin1String(tasto)));
        }
    }

    // Runs a vote: once the central has started it, tasti presses the
    // keys; once attesi members have keyed, "Chiusa" (confirmed when
    // somebody present has not voted).
    void VotaEChiude(const std::function<void()>& tasti, int attesi)
    {
        ContaAperture();
        int passo = 0;
        Vota([&] {
            if (passo == 0 && CentraleInVoto()) {
                tasti();
                passo = 1;
            } else if (passo == 1 && iVotiRicevuti >= attesi) {
                if (f->lstVotanti()->ListCount() > 0) (*ui)->AttendiMsg(kConferma, vbOK);
                passo = 2;
                f->cmdVoto(3)->click();
                return true;
            }
            return false;
        });
        EXPECT_EQ(passo, 2);
    }

    // Whether the central has started the vote counted from the last
    // ContaAperture (keys flow from now on).
    bool CentraleInVoto() { return sim->Conta(Apertura()) > aperture; }
    // Call before each vote.
    void ContaAperture() { aperture = sim->Conta(Apertura()); }
    // After a vote: back to attendance, members 3 to 7 (sent out by the
    // close) in again, and the next agenda item open for the next vote.
    void ProssimoArgomento()
    {
        f->cmdVoto(2)->click();
        for (int codice = 3; codice <= 7; ++codice) Clic(codice);
        ASSERT_EQ(iPresenti, 7);
        ApreArgomento(QStringLiteral("  2/b"));
        ASSERT_EQ(iDelibera, 2);
    }

    // The board frames decoded so far ("BOARD ..." lines), from index da.
    // With tutti, a mark frame is written on the board's line first and
    // waited for: everything sent before it has been decoded.
    QStringList Frame(int da = 0, bool tutti = true)
    {
        if (tutti) {
            const QString segno = QStringLiteral("segno%1").arg(++segni);
            QFile l(tabellone->Percorso());
            EXPECT_TRUE(l.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            l.write(QByteArray("\x05#\x01") + segno.toLatin1() + '\x04');
            l.close();
            EXPECT_TRUE(Finche([&] { return tabellone->Conta(QStringLiteral("BOARD LED # ") + segno) > 0; }, 5000));
        }
        QStringList r;
        const QStringList tutte = tabellone->Righe();
        for (int i = da; i < tutte.size(); ++i)
            if (tutte[i].startsWith(QStringLiteral("BOARD ")) && !tutte[i].startsWith(QStringLiteral("BOARD LED # ")))
                r << tutte[i];
        return r;
    }
    // Where the frames decoded so far end (after a mark: all that was sent).
    int RigheTabellone()
    {
        Frame();
        return int(tabellone->Righe().size());
    }

    // The 120-character per-seat string with the given characters at the
    // positions of the person codes.
    static QString PerCodice(const std::vector<std::pair<int, QChar>>& c, QChar resto)
    {
        QString s(120, resto);
        for (const auto& [codice, ch] : c) s[codice - 1] = ch;
        return s;
    }
    // The record of who keyed: Chr(code) at the positions of those codes.
    static QString Votanti(std::initializer_list<int> codici)
    {
        QString s(120, QChar(0));
        for (int c : codici) s[c - 1] = QChar(c);
        return s;
    }

    static QString Mappa(const QString& inizio)
    {
        return QStringLiteral("BOARD LED 2 ") + inizio.leftJustified(48, u'0');
    }

    std::unique_ptr<Simulatore> tabellone;
    int aperture = 0;
    int segni = 0;
};

inline std::string NomeModello(const ::testing::TestParamInfo<int>& i) { return "Centrale" + std::to_string(i.param); }

}  // namespace obx::test
