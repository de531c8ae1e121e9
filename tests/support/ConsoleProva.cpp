#include "support/ConsoleProva.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QPushButton>

#include "board/frmVideo.h"
#include "links/Tabellone.h"
#include "platform/Database.h"
#include "platform/Temporizzatore.h"
#include "shell/Globali.h"
#include "support/QtApp.h"

namespace obx::test {

std::vector<EventoProva> EventiRegistrati()
{
    std::vector<EventoProva> v;
    Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    if (rs.RecordCount() == 0) return v;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        v.push_back({rs.Field(QStringLiteral("cTipoEventoEV")).toString(),
                     rs.Field(QStringLiteral("cNomeEV")).toString().trimmed()});
    return v;
}

void ConsoleProva::SetUp()
{
    BancoConsole::SetUp();
    // Speaking limits and options the engine's tests count on.
    xColoriVoto = false;
    iTraccia = 0;
    iTempoRelatore = 5;
    iTempoMaxPartito = 10;
    iNMaxInterventi = 9999;
    cEsito.clear();
    aPrenotati.assign(1, Prenotato{});
}

void ConsoleProva::TearDown()
{
    BancoConsole::TearDown();
    iModoOBX = 0;
    iStatoConsole = 0;
}

frmCons* ConsoleProva::Apre()
{
    frmCons* f = BancoConsole::Apre();
    if (f) f->croTimer().SetEnabled(false);
    return f;
}

void ConsoleProva::Ora(int h, int m, int s) { servizi->clock.Imposta(QDateTime(QDate(2026, 1, 15), QTime(h, m, s))); }

}  // namespace obx::test
