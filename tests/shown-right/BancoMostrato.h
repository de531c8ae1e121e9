// The console of these tests: no units wired, the keys of a vote read from
// the test file of votes, an LED board of the first type that is not wired
// (the driver keeps what it is told), one monitor only, the sitting open and
// every seat of the fixture council present with item 1 open.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>

#include "console/Spoglio.h"
#include "console/frmCons.h"
#include "platform/Elenchi.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"

namespace obx::test {

class BancoMostrato : public BancoConsole {
protected:
    void SetUp() override
    {
        BancoConsole::SetUp();
        if (HasFatalFailure()) return;
        iModoOBX = 0;
        iTipoTAB = 1;
        (*ui)->AttendiMsg(QStringLiteral("usa VotiObx.txt"), vbYes);
        f = Apre();
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(iModoOBX & kCablaggioFileVoti, kCablaggioFileVoti);
        ApreSeduta(f);
    }
    void TearDown() override
    {
        BancoConsole::TearDown();
        iModoOBX = kCablaggioVotatori;
    }

    // Everybody enters through the console, as the operator's clicks do.
    void EntranoTutti()
    {
        for (size_t i = 1; i < aPosti.size(); ++i)
            if (!(aPosti[i].iStato & kPresente)) f->EntraEsce(int(i));
        iDelibera = 1;
        cTipoArg = QStringLiteral("D");
        cTipoVoto = QStringLiteral("P");
    }

    QString File(const char* nome) const { return cCartella + QString::fromLatin1(nome); }
    static void Scrive(const QString& percorso, const QByteArray& testo)
    {
        QFile file(percorso);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(testo);
    }

    // Opens a vote of the kind cTipoVoto holds and, once its keys are read
    // (or at once with xAnnulla), closes it with "Chiusa" or annuls it.
    void Vota(const QByteArray& tasti, int attesi, bool xAnnulla = false)
    {
        Scrive(File(cTipoVoto == u"A" ? "Appello.txt" : "votiOBX.txt"), tasti);
        if (cTipoVoto == u"A") (*ui)->AttendiMsg(QStringLiteral("Confermi Votazione di Appello ?"), vbYes);
        CliccaDurante(f->cmdVoto(0), [&] {
            if (!oVoto.RaccoglieTasti() || iVotiRicevuti < attesi) return false;
            if (xAnnulla) {
                f->cmdVoto_Click(1);
                return true;
            }
            if ((oVoto.ModoApertura() & 10) == 0 && f->lstVotanti()->ListCount() > 0)
                (*ui)->AttendiMsg(QStringLiteral("Confermi chiusura votazione ?"), vbOK);
            f->cmdVoto_Click(3);
            return true;
        });
    }

    frmCons* f = nullptr;
};

}  // namespace obx::test
