// Shared helpers of the display-board tests: the board simulator on port 3,
// a still clock, a sitting in a known state, and the decoded frames of
// what the driver sends.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <functional>
#include <ostream>

#include "board/frmVideo.h"
#include "links/ComSeriali.h"
#include "links/Tabellone.h"
#include "links/frmLED.h"
#include "platform/Testo.h"
#include "shell/Globali.h"
#include "support/LinkFixture.h"

// Readable failures: texts printed as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << "{";
    for (const QString& s : l) *os << "\n  \"" << s.toStdString() << '"';
    *os << " }";
}

namespace obx::test {

// The board's log writes the field code SO as \x0E: "{0}" stands for the
// frame code SO "0", "{C}" for SO "CONT" and "{S}" for SO alone.
inline QString Codici(QString s)
{
    s.replace(QStringLiteral("{0}"), QStringLiteral("\\x0E0"));
    s.replace(QStringLiteral("{C}"), QStringLiteral("\\x0ECONT"));
    s.replace(QStringLiteral("{S}"), QStringLiteral("\\x0E"));
    return s;
}

class BoardTest : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        ImpostaOrologio(&fermo);
        cFileLog = cCartella + QStringLiteral("LogFile.txt");
        iTraccia = 4;
        iModoOBX = kCablaggioTabellone;
        iPortaTAB = kPorta;
        iPortaRAD = 0;
        iStatoCARD = 0;
        Seduta();
        NuovoDriver(1);
    }

    void TearDown() override
    {
        oTabellone.reset();
        ScaricaFrmLED();
        ScaricaFrmVideo();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (oComCARD.PortOpen()) oComCARD.SetPortOpen(false);
        if (oComTAB.PortOpen()) oComTAB.SetPortOpen(false);
        FrmLED::AttivaConsole = nullptr;
        LinkTest::TearDown();
    }

    void NuovoDriver(int tipo)
    {
        oTabellone = std::make_unique<Tabellone>();
        oTabellone->iPorta = kPorta;
        oTabellone->iModelloDisplay = tipo;
    }

    // A sitting of 15 seats with 12 present, item 7 open, a speaker, and
    // the counts of a vote just closed.
    static void Seduta()
    {
        iTipoAssemblea = 1;
        iConfigOBX = 0;
        iModoVoto = 0;
        iPresenti = 12;
        iQuorum = {0, 0, 0, 7, 9};
        iFlagQuorum = 0;
        iDelibera = 7;
        cTitoloTabellone = {PadTaglia(QStringLiteral("BILANCIO 2026"), 24),
                            PadTaglia(QStringLiteral("VARIAZIONE N. 3"), 24), QString(24, u' ')};
        cArgomento = {};
        cArgomento[5] = QStringLiteral("Bilancio di previsione 2026   ");
        cArgomentoPendente.clear();
        cLettereRuoli = QStringLiteral("PSCAGXUVR");
        cNomiRuoli = {QStringLiteral("Presidente Consiglio"), QStringLiteral("Sindaco"), QStringLiteral("Consigliere")};
        aPosti.assign(16, Posto{});
        for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].cTipoAN = QStringLiteral("C");
        iOratore = 1;
        cOratore = PadTaglia(QStringLiteral("ROSSI MARIO"), 16);
        cGruppoOratore = QStringLiteral("PD   ");
        iTempo = {20, 4, 4, 4, 5};
        iMezziMinuti = 11;
        iFavorevoli = 10;
        iContrari = 3;
        iAstenuti = 1;
        cTipoVoto = QStringLiteral("P");
        cEsito = QStringLiteral("APPROVATA");
        cLedPresenze = QString(48, u'0');
        cLedPresenze[0] = u'2';
        cLedPresenze[4] = u'2';
    }

    // Starts the board simulator on port 3.
    void AvviaTabellone() { Avvia({QStringLiteral("--device"), QStringLiteral("board")}); }

    // The frames the simulator decoded while azione ran ("BOARD ..." lines).
    // A mark frame is written on the same line after the action: when the
    // simulator has decoded it, it has decoded everything before it.
    QStringList Frame(const std::function<void()>& azione)
    {
        const int prima = int(sim->Righe().size());
        azione();
        const QString segno = QStringLiteral("mark%1").arg(++m_segni);
        EXPECT_TRUE(ScriveSegno(sim->Percorso(), segno));
        EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("BOARD LED # ") + segno));
        QStringList r;
        const QStringList tutte = sim->Righe();
        for (int i = prima; i < tutte.size(); ++i) {
            if (tutte[i] == QStringLiteral("BOARD LED # ") + segno) break;
            if (tutte[i].startsWith(QStringLiteral("BOARD "))) r << tutte[i];
        }
        return r;
    }

    static bool ScriveSegno(const QString& percorso, const QString& segno)
    {
        QFile f(percorso);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
        const QByteArray b = QByteArray("\x05#\x01") + segno.toLatin1() + '\x04';
        return f.write(b) == b.size();
    }

    QString Log() const
    {
        QFile f(cFileLog);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return FromCp1252(f.readAll());
    }

    int m_segni = 0;
    OrologioFinto fermo{QDateTime(QDate(2026, 1, 15), QTime(9, 30, 5))};
};

}  // namespace obx::test
