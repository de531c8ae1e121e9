// A person without a seat takes a seat: the exchange of the two persons in
// memory and in their rows of "ANAGRAFE", so that the next load of the
// registry seats the incoming person.
#include "console/Registri.h"
#include "console/frmCons.h"
#include "platform/Database.h"
#include "platform/Testo.h"
#include "shell/Anagrafe.h"
#include "shell/Globali.h"

namespace obx {

namespace {

QString TestoCampo(const QVariant& v) { return v.isValid() ? v.toString() : QString(); }

// Index in aPartiti of the party named in a row (0 for none), added when
// the registry had no seat of it yet.
int IndicePartito(const QVariant& partito)
{
    if (!partito.isValid()) return 0;
    const QString k = ChiavePartito(partito.toString());
    for (size_t i = 1; i < aPartiti.size(); ++i)
        if (aPartiti[i].cPartito == k) return int(i);
    Partito p;
    p.cPartito = k;
    p.lTempoResiduo = int32_t(iTempoMaxPartito) * 60;
    aPartiti.push_back(p);
    return int(aPartiti.size()) - 1;
}

}  // namespace

bool ScambiaPosto(int iP, int iNuovo)
{
    if (!SeggioValido(iP) || iNuovo < 1 || size_t(iNuovo) >= aOspiti.size()) return false;
    Posto& s = aPosti[size_t(iP)];
    Ospite& o = aOspiti[size_t(iNuovo)];

    QString breve, nome, iride, nomeUscente, breveUscente;
    QVariant partito;
    bool uscenteTrovato = false;
    // Both rows are written in one transaction, and memory follows only
    // once they are stored: a failure leaves the registry and the archive
    // as they were.
    try {
        Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
        rs.Seek(QStringLiteral("="), o.bCodiceAN);
        if (rs.NoMatch()) return false;
        breve = TestoCampo(rs.Field(QStringLiteral("cNomeBreveAN")));
        nome = TestoCampo(rs.Field(QStringLiteral("cNomeAN")));
        partito = rs.Field(QStringLiteral("cPartitoAN"));
        iride = TestoCampo(rs.Field(QStringLiteral("cIrideIdAN")));

        Transazione transazione;
        rs.Edit();
        rs.SetField(QStringLiteral("cTipoAN"), s.cTipoAN);
        rs.SetField(QStringLiteral("iVotatoreAN"), s.iVotatoreAN);
        rs.SetField(QStringLiteral("iSmartCardAN"), s.iSmartCardAN);
        rs.SetField(QStringLiteral("iPulsanteAN"), s.iPulsanteAN);
        rs.SetField(QStringLiteral("iPannelloAN"), s.iPannelloAN);
        rs.SetField(QStringLiteral("nTopAN"), s.nTopAN);
        rs.SetField(QStringLiteral("nLeftAN"), s.nLeftAN);
        rs.SetField(QStringLiteral("nTopTvAN"), s.nTopTvAN);
        rs.SetField(QStringLiteral("nSinTvAN"), s.nSinTvAN);
        rs.Update();

        rs.Seek(QStringLiteral("="), s.bCodiceAN);
        if (!rs.NoMatch()) {
            uscenteTrovato = true;
            nomeUscente = TestoCampo(rs.Field(QStringLiteral("cNomeAN")));
            breveUscente = TestoCampo(rs.Field(QStringLiteral("cNomeBreveAN")));
            rs.Edit();
            rs.SetField(QStringLiteral("cTipoAN"), o.cTipoAN);
            for (const char* campo : {"iVotatoreAN", "iSmartCardAN", "iPulsanteAN", "iPannelloAN", "nTopAN", "nLeftAN",
                                      "nTopTvAN", "nSinTvAN"})
                rs.SetField(QString::fromLatin1(campo), 0);
            rs.Update();
        }
        transazione.Commit();
    } catch (const Errore& e) {
        MostraErrore(e);
        return false;
    }

    // The seat takes the incoming person's identity: names, party and
    // external identifier go with the person.
    s.cNomeBreveAN = PadTaglia(breve, 16);
    s.cNomeAN = PadTaglia(nome, 30);
    s.cPartitoAN = PadTaglia(TestoCampo(partito), 20);
    s.iPartito = IndicePartito(partito);
    s.cIrideIdAN = iride.isEmpty() ? QString() : PadTaglia(iride, 6);
    // The guest entry now stands for the person who left the seat; its
    // short name follows too, or a later speech of that person would show
    // the newcomer's name on the boards.
    if (uscenteTrovato) {
        o.cNomeAN = PadTaglia(nomeUscente, 30);
        o.cNomeBreveAN = PadTaglia(breveUscente, 16);
    }
    std::swap(s.bCodiceAN, o.bCodiceAN);
    return true;
}

}  // namespace obx
