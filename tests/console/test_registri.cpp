// The console's rows: events (texts by letter and vote kind, fixed widths,
// superseded closings, deleting the last event, laws-mode status) and votes
// (kind groups, officers and tellers, requesters, notes, superseding), and
// "Salvataggio Fallito" exactly when a row was not stored.
#include <QSqlError>
#include <QSqlQuery>

#include "console/Registri.h"
#include "platform/Database.h"
#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"

namespace obx::test {
namespace {

std::vector<QVariantMap> Voti()
{
    std::vector<QVariantMap> v;
    Recordset rs = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
    if (rs.RecordCount() == 0) return v;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QVariantMap m;
        for (const QString& n : rs.FieldNames()) m[n] = rs.Field(n);
        v.push_back(m);
    }
    return v;
}

// Makes the archive refuse one kind of statement on a table, as a full or
// locked disk would.
void Rifiuta(const QString& tabella, const char* operazione)
{
    QSqlQuery q(dbArchivio.Connessione());
    const QString sql = QStringLiteral("CREATE TRIGGER rifiuta_%1_%2 BEFORE %2 ON %1 BEGIN "
                                       "SELECT RAISE(ABORT, 'disco pieno'); END")
                            .arg(tabella, QString::fromLatin1(operazione));
    ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
}

class Registri : public BancoConsole {
protected:
    frmCons* Console()
    {
        frmCons* f = Apre();
        EXPECT_NE(f, nullptr);
        return f;
    }
    // A sitting on item 12 of type "D" with a closed vote of kind tipo.
    void Voto(const QString& tipo, int presenti, int si, int no, int astenuti)
    {
        iDelibera = 12;
        cTipoArg = QStringLiteral("D");
        cArgomento[4] = QStringLiteral("Bilancio");
        cTipoVoto = tipo;
        iPresenti = presenti;
        iFavorevoli = si;
        iContrari = no;
        iAstenuti = astenuti;
        iQuorum[3] = 6;
        iQuorum[4] = 7;
        iFlagQuorum = 0;
        dInizioVoto = servizi->clock.Adesso();
        dFineVoto = servizi->clock.Adesso().addSecs(40);
    }
};

TEST_F(Registri, TestiDellaChiusuraDiUnVoto)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    Voto(QStringLiteral("P"), 10, 6, 2, 1);
    lCodVoto = 41;
    f->SalvaEvento(QStringLiteral("T"), QString());
    auto ev = Eventi();
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_EQ(ev[0].descrizione, QStringLiteral("Chiusura Votazione").leftJustified(20));
    EXPECT_EQ(ev[0].nome, QStringLiteral("Fav=6  Con=2  Ast=1  NoV=1").leftJustified(30));
    EXPECT_EQ(ev[0].extra, QStringLiteral("Quorum=6  Quorum I.E.=7").leftJustified(90));
    EXPECT_EQ(ev[0].presenti, 10);
    EXPECT_EQ(ev[0].delibera, 12);
    EXPECT_EQ(ev[0].tipoArg, QStringLiteral("D"));
    EXPECT_EQ(ev[0].codVoto, 41);

    // A counter-proof keeps the blanks; a check of the legal number counts
    // those present and stores 0 present.
    Voto(QStringLiteral("C"), 10, 6, 2, 1);
    f->SalvaEvento(QStringLiteral("T"), QString());
    Voto(QStringLiteral("V"), 10, 9, 0, 0);
    f->SalvaEvento(QStringLiteral("L"), QString());
    ev = Eventi();
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_EQ(ev[1].extra, QString(90, u' '));
    EXPECT_EQ(ev[2].lettera, QStringLiteral("L"));
    EXPECT_EQ(ev[2].nome.trimmed(), QStringLiteral("Presenti=9"));
    EXPECT_EQ(ev[2].extra.trimmed(), QStringLiteral("Quorum=6"));
    EXPECT_EQ(ev[2].presenti, 0);
    EXPECT_EQ(ev[2].delibera, 12);
}

TEST_F(Registri, UnaNuovaChiusuraAnnullaLePrecedentiDelloStessoArgomento)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    Voto(QStringLiteral("H"), 10, 6, 2, 1);
    f->SalvaEvento(QStringLiteral("T"), QString());
    iDelibera = 13;
    f->SalvaEvento(QStringLiteral("T"), QString());  // another item
    Voto(QStringLiteral("H"), 10, 7, 2, 1);
    f->SalvaEvento(QStringLiteral("L"), QString());  // "L" marks nothing
    auto ev = Eventi();
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_NE(ev[0].extra.trimmed(), QStringLiteral("Votazione Annullata"));

    f->SalvaEvento(QStringLiteral("T"), QString());
    ev = Eventi();
    ASSERT_EQ(ev.size(), 4u);
    EXPECT_EQ(ev[0].extra.trimmed(), QStringLiteral("Votazione Annullata"));
    EXPECT_NE(ev[1].extra.trimmed(), QStringLiteral("Votazione Annullata"));  // item 13
    EXPECT_NE(ev[2].extra.trimmed(), QStringLiteral("Votazione Annullata"));  // an "L"
    EXPECT_NE(ev[3].extra.trimmed(), QStringLiteral("Votazione Annullata"));  // itself
}

TEST_F(Registri, LettereNomiELarghezzeFisse)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    cTipoVoto = QStringLiteral("-");
    iPresenti = 7;
    iDelibera = 0;
    cTipoArg = QStringLiteral("D");
    cSegretari = {QStringLiteral("Giulia Neri"), QStringLiteral("Vittorio Gialli")};
    f->SalvaEvento(QStringLiteral("E"), QStringLiteral("Un nome molto lungo che supera i trenta caratteri"));
    f->SalvaEvento(QStringLiteral("J"), QStringLiteral("Vittorio Gialli"));
    f->SalvaEvento(QStringLiteral("Z"), QStringLiteral("ignorato"));
    cTipoVoto = QStringLiteral("V");
    f->SalvaEvento(QStringLiteral("V"), QString());

    // An exit during a vote is dated just before the vote's opening.
    cTipoVoto = QStringLiteral("P");
    dInizioVoto = QDateTime(QDate(2026, 1, 15), QTime(10, 0, 0));
    f->SalvaEvento(QStringLiteral("u"), QStringLiteral("VERDI A."));

    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), 5u);
    EXPECT_EQ(ev[0].nome, QStringLiteral("Un nome molto lungo che supera"));
    EXPECT_EQ(ev[0].descrizione.trimmed(), QStringLiteral("Entra"));
    EXPECT_EQ(ev[0].presenti, 7);
    EXPECT_EQ(ev[0].delibera, 0);
    EXPECT_EQ(ev[1].descrizione.trimmed(), QStringLiteral("Sostituz. Segretario"));
    // Who takes over is named; who was replaced stays in the details.
    EXPECT_EQ(ev[1].nome.trimmed(), QStringLiteral("Vittorio Gialli"));
    EXPECT_EQ(ev[1].extra.trimmed(), QStringLiteral("Giulia Neri"));
    EXPECT_EQ(ev[2].lettera, QStringLiteral("Z"));
    EXPECT_EQ(ev[2].descrizione.trimmed(), QStringLiteral("----"));
    EXPECT_EQ(ev[2].nome, QString(30, u' '));
    EXPECT_EQ(ev[3].descrizione, QStringLiteral("Verifica Numero Lega"));
    EXPECT_EQ(ev[3].presenti, 0);
    EXPECT_EQ(ev[3].tipoArg, QStringLiteral(" "));
    EXPECT_EQ(ev[4].lettera, QStringLiteral("U"));
    EXPECT_EQ(ev[4].descrizione.trimmed(), QStringLiteral("Esce"));
    EXPECT_LT(ev[4].data, dInizioVoto);
    EXPECT_GE(ev[4].data, dInizioVoto.addSecs(-2));
}

TEST_F(Registri, AsteriscoCancellaSoloLUltimoEvento)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    f->SalvaEvento(QStringLiteral("A"), QString());
    f->SalvaEvento(QStringLiteral("E"), QStringLiteral("ROSSI M."));
    f->SalvaEvento(QStringLiteral("U"), QStringLiteral("ROSSI M."));
    f->SalvaEvento(QStringLiteral("*"), QString());
    auto ev = Eventi();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[1].lettera, QStringLiteral("E"));
    // Further rows follow the deletion, and "*" on an empty table does nothing.
    f->SalvaEvento(QStringLiteral("R"), QString());
    EXPECT_EQ(Eventi().back().lettera, QStringLiteral("R"));
    for (int i = 0; i < 4; ++i) f->SalvaEvento(QStringLiteral("*"), QString());
    EXPECT_TRUE(Eventi().empty());
}

TEST_F(Registri, RecordsetChiusoVieneRiaperto)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    f->ChiudeRecordset();
    f->SalvaEvento(QStringLiteral("A"), QString());
    EXPECT_EQ(Eventi().size(), 1u);
    Voto(QStringLiteral("P"), 8, 5, 2, 1);
    f->SalvaVotazione(false);
    EXPECT_EQ(Voti().size(), 1u);
    EXPECT_GT(lCodVoto, 0);
}

TEST_F(Registri, SalvataggioFallitoSoloSeLaRigaNonCe)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);

    // The supersede statement fails after the row was stored: its own
    // message only.
    Voto(QStringLiteral("P"), 8, 5, 2, 1);
    f->SalvaEvento(QStringLiteral("T"), QString());
    Rifiuta(cTabelle[3], "UPDATE");
    (*ui)->AttendiMsg(QString(), vbOK, true);
    f->SalvaEvento(QStringLiteral("T"), QString());
    EXPECT_EQ(Eventi().size(), 2u);
    EXPECT_TRUE((*ui)->Storia().back().titolo.startsWith(QStringLiteral("Errore ")));

    // The row itself is refused: its message, then "Salvataggio Fallito".
    Rifiuta(cTabelle[3], "INSERT");
    (*ui)->AttendiMsg(QString(), vbOK, true);
    (*ui)->AttendiMsg(QStringLiteral("Salvataggio Fallito"), vbOK);
    f->SalvaEvento(QStringLiteral("E"), QStringLiteral("ROSSI M."));
    EXPECT_EQ(Eventi().size(), 2u);
    const auto& s = (*ui)->Storia();
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back().titolo, QStringLiteral("Eventi"));
    EXPECT_EQ(s.back().stile, vbCritical);
    EXPECT_TRUE(s[s.size() - 2].titolo.startsWith(QStringLiteral("Errore ")));
}

TEST_F(Registri, SalvataggioFallitoDiUnVoto)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    Voto(QStringLiteral("P"), 8, 5, 2, 1);
    iRichiedenti = {0, 3, 4, 0, 0, 0, 0};

    // Superseding refused: the vote is stored and the requesters move.
    f->SalvaVotazione(false);
    iRichiedenti = {0, 3, 4, 0, 0, 0, 0};
    Rifiuta(cTabelle[4], "UPDATE");
    (*ui)->AttendiMsg(QString(), vbOK, true);
    f->SalvaVotazione(false);
    ASSERT_EQ(Voti().size(), 2u);
    EXPECT_EQ(lCodVoto, Voti()[1][QStringLiteral("lCodiceVT")].toInt());
    EXPECT_TRUE((*ui)->Storia().back().titolo.startsWith(QStringLiteral("Errore ")));
    EXPECT_EQ(iRichiedenti[4], 3);
    EXPECT_EQ(iRichiedenti[1], 0);

    // The row refused: 0 as code, the requesters stay.
    iRichiedenti = {0, 5, 0, 0, 0, 0, 0};
    Rifiuta(cTabelle[4], "INSERT");
    (*ui)->AttendiMsg(QString(), vbOK, true);
    (*ui)->AttendiMsg(QStringLiteral("Salvataggio Fallito"), vbOK);
    f->SalvaVotazione(false);
    EXPECT_EQ(Voti().size(), 2u);
    EXPECT_EQ(lCodVoto, 0);
    EXPECT_EQ(iRichiedenti[1], 5);
    EXPECT_EQ((*ui)->Storia().back().titolo, QStringLiteral("Voti"));
}

TEST_F(Registri, RigaDiVotoConRichiedentiEUfficio)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    // Present: the chair, the mayor and four tellers (only three are kept).
    aPosti[1].iStato = 9;
    aPosti[2].iStato = 9;
    for (int i : {3, 4, 5, 6}) aPosti[size_t(i)].iStato = 8 | 2 | 1;
    aPosti[7].iStato = 8 | 2 | 16 | 1;  // declared absent: no teller
    Voto(QStringLiteral("I"), 6, 4, 1, 1);
    cNotaArgomento = QStringLiteral("Richiesta dei gruppi");
    iRichiedenti = {0, 3, 12, 0, 9, 9, 9};
    cVoti.Azzera(u'0');
    cTastiRicevuti.Azzera(QChar(0));
    for (int c : {1, 2, 3, 4, 5, 6}) {
        cVoti.Set(c, c == 5 ? u'6' : c == 6 ? u'5' : u'3');
        cTastiRicevuti.Set(c, QChar(c));
    }
    cVoti.Set(0, u'9');  // codes outside 1..120 never shift the strings
    cVoti.Set(121, u'9');
    f->SalvaVotazione(false);

    const auto v = Voti();
    ASSERT_EQ(v.size(), 1u);
    const QVariantMap& r = v[0];
    EXPECT_EQ(lCodVoto, r[QStringLiteral("lCodiceVT")].toInt());
    EXPECT_EQ(r[QStringLiteral("cPaleseVT")].toString(), QStringLiteral("I"));
    EXPECT_EQ(r[QStringLiteral("iPresentiVT")].toInt(), 6);
    EXPECT_EQ(r[QStringLiteral("iFavorevoliVT")].toInt(), 4);
    EXPECT_EQ(r[QStringLiteral("iContrariVT")].toInt(), 1);
    EXPECT_EQ(r[QStringLiteral("iAstenutiVT")].toInt(), 1);
    EXPECT_EQ(r[QStringLiteral("iQuorumVT")].toInt(), 6);
    EXPECT_EQ(r[QStringLiteral("iDeliberaVT")].toInt(), 12);
    EXPECT_EQ(r[QStringLiteral("iCodLeggeVT")].toInt(), 12);
    const QString voti = r[QStringLiteral("cVotiVT")].toString();
    ASSERT_EQ(voti.size(), 120);
    EXPECT_EQ(voti.left(7), QStringLiteral("3333650"));
    const QString votanti = r[QStringLiteral("cVotantiVT")].toString();
    ASSERT_EQ(votanti.size(), 120);
    EXPECT_EQ(votanti.at(4), QChar(5));
    EXPECT_EQ(votanti.at(6), QChar(0));
    EXPECT_EQ(r[QStringLiteral("cPresentiVT")].toString(), QString(120, QChar(0)));
    const QString nota = r[QStringLiteral("cNotaVotoVT")].toString();
    ASSERT_EQ(nota.size(), 120);
    EXPECT_EQ(nota.left(20), QStringLiteral("Richiesta dei gruppi"));
    EXPECT_EQ(nota.right(6), QStringLiteral("031200"));
    EXPECT_EQ(r[QStringLiteral("cPresidenteVT")].toString(), QStringLiteral("Mario Rossi").leftJustified(30));
    EXPECT_EQ(r[QStringLiteral("cSindacoVT")].toString(), QStringLiteral("Laura Bianchi").leftJustified(30));
    EXPECT_EQ(r[QStringLiteral("cScrutatore1VT")].toString().trimmed(), QStringLiteral("Anna Verdi"));
    EXPECT_EQ(r[QStringLiteral("cScrutatore2VT")].toString().trimmed(), QStringLiteral("Giorgio Esposito"));
    EXPECT_EQ(r[QStringLiteral("cScrutatore3VT")].toString().trimmed(), QStringLiteral("Franca Romano"));
    // Secretary and vice-secretary come from the persons without a seat.
    EXPECT_EQ(r[QStringLiteral("cSegretarioVT")].toString().trimmed(), QStringLiteral("Giulia Neri"));
    EXPECT_EQ(r[QStringLiteral("cSegretario2VT")].toString().trimmed(), QStringLiteral("Vittorio Gialli"));
    EXPECT_EQ(r[QStringLiteral("cArgomentoVT")].toString(), DescriveTipoAtto(30, true));
    EXPECT_EQ(r[QStringLiteral("cDettaglioVT")].toString(), QString(30, u' '));
    EXPECT_EQ(r[QStringLiteral("dDataOraIniVT")].toDateTime(), dInizioVoto);
    EXPECT_EQ(r[QStringLiteral("dDataOraFinVT")].toDateTime(), dFineVoto);

    // The requesters of this vote became those of the previous one.
    EXPECT_EQ(iRichiedenti[1], 0);
    EXPECT_EQ(iRichiedenti[2], 0);
    EXPECT_EQ(iRichiedenti[3], 0);
    EXPECT_EQ(iRichiedenti[4], 3);
    EXPECT_EQ(iRichiedenti[5], 12);
    EXPECT_EQ(iRichiedenti[6], 0);
}

TEST_F(Registri, GruppiDiTipoDiVoto)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    cArgomentoPendente = QStringLiteral("Emendamento 3 sul capitolo delle spese correnti");  // 47
    struct Caso {
        const char* tipo;
        bool uguale;
        int presenti, quorum, codLegge;
        const char* argomento;
        const char* dettaglio;
        const char* inizioNota;
        const char* fineNota;
    };
    const Caso casi[] = {
        {"A", true, 0, 0, 0, "Appello", "Autocertificazione Presenza", "", ""},
        {"V", false, 8, 6, 12, nullptr, "Verifica Numero Legale", "", "05"},
        {"M", false, 8, 6, 12, nullptr, "Emendamento 3 sul capitolo del", "Mod. Seq. OdG Nota", "      "},
        {"C", true, 8, 6, 12, nullptr, "Emendamento 3 sul capitolo del", "Ripetuta UGUALENota", "      "},
        {"C", false, 8, 6, 12, nullptr, "Emendamento 3 sul capitolo del", "Ripetuta DIVERSANota", "      "},
    };
    for (const Caso& c : casi) {
        Voto(QString::fromLatin1(c.tipo), 8, 5, 2, 1);
        cNotaArgomento = QStringLiteral("Nota");
        iRichiedenti = {0, 5, 0, 0, 0, 0, 0};
        f->SalvaVotazione(c.uguale);
        const QVariantMap r = Voti().back();
        SCOPED_TRACE(c.tipo);
        EXPECT_EQ(r[QStringLiteral("cPaleseVT")].toString(), QString::fromLatin1(c.tipo));
        EXPECT_EQ(r[QStringLiteral("iPresentiVT")].toInt(), c.presenti);
        EXPECT_EQ(r[QStringLiteral("iQuorumVT")].toInt(), c.quorum);
        EXPECT_EQ(r[QStringLiteral("iCodLeggeVT")].toInt(), c.codLegge);
        EXPECT_EQ(r[QStringLiteral("iDeliberaVT")].toInt(), 12);
        if (c.argomento)
            EXPECT_EQ(r[QStringLiteral("cArgomentoVT")].toString(), QString::fromLatin1(c.argomento).leftJustified(30));
        EXPECT_EQ(r[QStringLiteral("cDettaglioVT")].toString(), QString::fromLatin1(c.dettaglio).leftJustified(30));
        const QString nota = r[QStringLiteral("cNotaVotoVT")].toString();
        ASSERT_EQ(nota.size(), 120);
        EXPECT_TRUE(nota.startsWith(QString::fromLatin1(c.inizioNota)));
        EXPECT_TRUE(nota.endsWith(QString::fromLatin1(c.fineNota)));
        if (QLatin1String(c.tipo) == QLatin1String("A")) {
            EXPECT_EQ(nota, QString(120, u' '));
            EXPECT_EQ(r[QStringLiteral("iFavorevoliVT")].toInt(), 0);
        }
        if (QLatin1String(c.tipo) == QLatin1String("M"))
            EXPECT_EQ(r[QStringLiteral("cExtraDetVT")].toString(),
                      QStringLiteral("le spese correnti").leftJustified(30));
    }
    // None of these kinds supersedes.
    for (const auto& r : Voti())
        EXPECT_NE(r[QStringLiteral("cNotaVotoVT")].toString(), QStringLiteral("Votazione Annullata"));
}

TEST_F(Registri, SovrapposizioneEImmediataEsecutivita)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    Voto(QStringLiteral("P"), 8, 5, 2, 1);
    iDelibera = 7;
    f->SalvaVotazione(false);  // 1: P on item 7
    Voto(QStringLiteral("H"), 8, 5, 2, 1);
    iDelibera = 7;
    f->SalvaVotazione(false);  // 2: H on item 7
    Voto(QStringLiteral("P"), 8, 5, 2, 1);
    iDelibera = 9;
    f->SalvaVotazione(false);  // 3: P on item 9

    // The vote on immediate executability of item 7, kind P.
    Voto(QStringLiteral("P"), 8, 6, 1, 1);
    iDelibera = 7;
    iFlagQuorum = kQuorumVotoImmEsec;
    f->SalvaVotazione(false);  // 4
    const auto v = Voti();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[3][QStringLiteral("iDeliberaVT")].toInt(), -7);
    EXPECT_EQ(v[3][QStringLiteral("iCodLeggeVT")].toInt(), 7);
    EXPECT_EQ(v[3][QStringLiteral("iQuorumVT")].toInt(), 7);
    EXPECT_EQ(v[0][QStringLiteral("cNotaVotoVT")].toString(), QStringLiteral("Votazione Annullata"));
    EXPECT_NE(v[1][QStringLiteral("cNotaVotoVT")].toString(), QStringLiteral("Votazione Annullata"));
    EXPECT_NE(v[2][QStringLiteral("cNotaVotoVT")].toString(), QStringLiteral("Votazione Annullata"));
    EXPECT_NE(v[3][QStringLiteral("cNotaVotoVT")].toString(), QStringLiteral("Votazione Annullata"));
}

TEST_F(Registri, VotoSenzaOraDiAperturaPrendeLOraAttuale)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    Voto(QStringLiteral("P"), 8, 5, 2, 1);
    dInizioVoto = QDateTime();
    f->SalvaVotazione(false);
    EXPECT_EQ(dInizioVoto, servizi->clock.Adesso());
    EXPECT_EQ(Voti()[0][QStringLiteral("dDataOraIniVT")].toDateTime(), servizi->clock.Adesso());
}

class RegistriLeggi : public Registri {
protected:
    int Tipo() const override { return 4; }
};

TEST_F(RegistriLeggi, StatoDellAttoESegretari)
{
    frmCons* f = Console();
    ASSERT_NE(f, nullptr);
    // A closing marks the act voted; a status change sets the chosen status.
    Voto(QStringLiteral("P"), 8, 5, 2, 1);
    iDelibera = 2;
    f->SalvaEvento(QStringLiteral("T"), QString());
    iDelibera = 3;
    cArgomento[3] = QStringLiteral("Ritirato");
    f->SalvaEvento(QStringLiteral("X"), QString());
    Recordset rs = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_A"));
    rs.Seek(QStringLiteral("="), 2);
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Field(QStringLiteral("cParametriLG")).toString().left(3), QStringLiteral("JVB"));
    rs.Seek(QStringLiteral("="), 3);
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Field(QStringLiteral("cParametriLG")).toString().left(3), QStringLiteral("ERB"));
    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].extra.trimmed(), QStringLiteral("Quorum=6"));
    EXPECT_EQ(ev[1].descrizione.trimmed(), QStringLiteral("Argomento Ritirato"));

    // Secretaries in the regional assembly are seats of role "G" present.
    aPosti[3].cTipoAN = QStringLiteral("G");
    aPosti[3].iStato = 1;
    aPosti[4].cTipoAN = QStringLiteral("G");
    aPosti[4].iStato = 0;
    aPosti[5].cTipoAN = QStringLiteral("G");
    aPosti[5].iStato = 1;
    cArgomento[6] = QStringLiteral("PdL 12/2026");
    cArgomento[7] = QStringLiteral(" art. 3");
    f->SalvaVotazione(false);
    const QVariantMap r = Voti().back();
    EXPECT_EQ(r[QStringLiteral("cSegretarioVT")].toString().trimmed(), QStringLiteral("Anna Verdi"));
    EXPECT_EQ(r[QStringLiteral("cSegretario2VT")].toString().trimmed(), QStringLiteral("Franca Romano"));
    EXPECT_EQ(r[QStringLiteral("cArgomentoVT")].toString(), QStringLiteral("PdL 12/2026 art. 3").leftJustified(30));
}

}  // namespace
}  // namespace obx::test
