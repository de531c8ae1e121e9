// A temporary archive folder, scripted dialogs, a fast clock, a fake Ctrl
// key and a simulator on a pseudo-terminal named as port 3 in "Porte.txt".
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "links/ComSeriali.h"
#include "links/Votatori.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ScriptedUI.h"
#include "support/Simulatore.h"

namespace obx::test {

inline constexpr int kPorta = 3;

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppTest();
        ASSERT_TRUE(m_dir.isValid());
        cCartella = m_dir.path() + u'/';
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        iTraccia = 14;
        cTipoVoto = QStringLiteral("P");
        iDelibera = 12;
        ImpostaOrologio(&clock);
        ImpostaTastiera(&keys);
    }
    void TearDown() override
    {
        if (oComTLV.PortOpen()) oComTLV.SetPortOpen(false);
        ChiudeComVotatori(0);  // closes a trace left open
        ImpostaOrologio(nullptr);
        ImpostaTastiera(nullptr);
    }

    // Starts obx-sim with the options and names its line as port 3.
    Simulatore& Avvia(const QStringList& opzioni)
    {
        sim = std::make_unique<Simulatore>(PercorsoSimulatore(), opzioni);
        EXPECT_FALSE(sim->Percorso().isEmpty()) << "obx-sim did not start";
        ScrivePorte(cCartella, {{kPorta, sim->Percorso()}});
        return *sim;
    }

    static QStringList Righe(const QString& file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return {};
        QStringList r = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
        if (!r.isEmpty() && r.last().isEmpty()) r.removeLast();
        return r;
    }

    QTemporaryDir m_dir;
    ScriptedUI ui;
    OrologioVeloce clock{10};  // the link's waits of seconds take tenths
    TastieraFinta keys;
    std::unique_ptr<Simulatore> sim;
};

}  // namespace obx::test
