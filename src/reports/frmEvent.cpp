#include "reports/frmEvent.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QVariant>
#include <functional>

#include "board/Video.h"
#include "platform/Avanzamento.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/FinestraUnica.h"
#include "platform/GrigliaDati.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "reports/PassiStampa.h"
#include "reports/Stampa.h"
#include "shell/Anagrafe.h"
#include "shell/Campi.h"
#include "shell/ControlloDati.h"
#include "shell/Globali.h"
#include "shell/VotoInCorso.h"

namespace obx {

namespace {

QPointer<frmEvent> g_finestra;

constexpr int kTastoF1 = 112;
// The note's field in "EVENTI".
constexpr int kLunghezzaNota = 30;

// Twips of the window's layout.
constexpr double kMargine = 240;
constexpr double kLarghezzaIniziale = 13200;
constexpr double kAltezzaIniziale = 7800;

QString Campo(const Recordset& rs, const char* nome) { return rs.Field(QString::fromLatin1(nome)).toString(); }

QString Tre(int n) { return Formato(n, QStringLiteral("000")); }

// One printed report over the window's record set of "EVENTI".
class ResocontoEventi {
public:
    ResocontoEventi(const QString& modo, const QString& nome, Recordset& eventi, const QList<qint64>& scelti)
        : m_modo(modo), m_nome(RTrimSpazi(nome)), m_off(modo == u"P" ? 0 : 10), m_ev(eventi), m_scelti(scelti)
    {}

    // False when the operator stopped it: the job is then to be discarded.
    bool Stampa();

private:
    int Totale();
    void Intestazione();
    void Avanza()
    {
        AvanzaRigaStampa([this] { Intestazione(); });
    }
    void XY(int colonna, const QString& testo)
    {
        m_passi.Prova([&] { StampaXY(iRigaStampa, colonna + m_off, testo); });
    }
    bool Posiziona();
    void Evento();
    void RigaEvento();
    QString Dettagli(const QString& lettera);
    void Chiusura();

    const QString m_modo;
    const QString m_nome;
    const int m_off;
    Recordset& m_ev;
    const QList<qint64> m_scelti;
    PassiStampa m_passi;
    Recordset m_voti;

    QDateTime m_data;     // the report's date
    QDateTime m_momento;  // mode "P": the selected event
    qint64 m_fine = -1;   // modes "I", "P": the bookmark of the last event
    QDateTime m_primo, m_ultimo;
    qint64 m_presenza = 0, m_intervento = 0;
    QDateTime m_entrata, m_parola;  // open stay and open speech (mode "M")
    QStringList m_presenti;         // mode "P"
};

bool ResocontoEventi::Stampa()
{
    m_passi.Prova([&] { m_voti = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A")); });
    bool vuoto = true;
    m_passi.Prova([&] { vuoto = m_ev.RecordCount() == 0; });
    if (vuoto) return true;

    // The date of the event the record set stands on; past the last one
    // (an earlier report walked it to the end), the first event's.
    m_passi.Prova([&] {
        if (m_ev.Eof() || m_ev.Bof()) m_ev.MoveFirst();
        m_data = m_ev.Field(QStringLiteral("dDataOraEV")).toDateTime();
    });
    // A selection that is no longer in the log prints nothing rather than
    // the wrong events.
    if (!Posiziona()) return true;
    Avanzamento avanzamento(QStringLiteral("Stampa Lista Eventi"), Totale());
    m_passi.Prova([&] { Intestazione(); });

    for (int n = 1;; ++n) {
        bool fine = true;
        if (!m_passi.Prova([&] { fine = m_ev.Eof(); }) || fine) break;
        Evento();
        avanzamento.Passo(n);
        if (avanzamento.Fermato()) {
            m_voti.Close();
            return false;
        }
        bool ultimo = false;
        m_passi.Prova([&] { ultimo = m_fine >= 0 && m_ev.Bookmark() == m_fine; });
        if (ultimo) break;
        if (!m_passi.Prova([&] { m_ev.MoveNext(); })) break;
    }
    Chiusura();
    m_voti.Close();
    return true;
}

// The events the report walks, for its progress: the whole log, or up to
// the selected event, or from the first selected to the second, counted on
// a record set of its own (only where the walk is long enough to show it).
int ResocontoEventi::Totale()
{
    int totale = 0;
    m_passi.Prova([&] { totale = m_ev.RecordCount(); });
    if (totale < Avanzamento::kMinimo || (m_modo != u"P" && m_modo != u"I")) return totale;
    m_passi.Prova([&] {
        Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
        if (m_modo == u"I")
            rs.SetBookmark(m_scelti.value(0));
        else
            rs.MoveFirst();
        int n = 0;
        while (!rs.Eof()) {
            ++n;
            if (rs.Bookmark() == m_fine) break;
            rs.MoveNext();
        }
        totale = n;
    });
    return totale;
}

bool ResocontoEventi::Posiziona()
{
    return m_passi.Prova([&] {
        if (m_modo == u"I") {
            m_ev.SetBookmark(m_scelti.value(0));
            m_fine = m_scelti.value(1, -1);
        } else if (m_modo == u"P") {
            m_fine = m_scelti.value(0);
            m_ev.SetBookmark(m_fine);
            m_momento = m_data = m_ev.Field(QStringLiteral("dDataOraEV")).toDateTime();
            m_ev.MoveFirst();
        } else {
            m_ev.MoveFirst();
        }
    });
}

void ResocontoEventi::Evento()
{
    QString lettera, nome;
    QDateTime ora;
    if (!m_passi.Prova([&] {
            lettera = Campo(m_ev, "cTipoEventoEV").left(1);
            nome = RTrimSpazi(Campo(m_ev, "cNomeEV"));
            ora = m_ev.Field(QStringLiteral("dDataOraEV")).toDateTime();
        }))
        return;

    if (m_modo == u"T" || m_modo == u"I") {
        if (!m_primo.isValid()) m_primo = ora;
        m_ultimo = ora;
        RigaEvento();
    } else if (m_modo == u"M") {
        if (nome == m_nome) {
            // Only a stay or a speech that is open is closed: an exit or an
            // end logged twice does not count the time twice.
            if (lettera == u"E") {
                m_entrata = ora;
            } else if (lettera == u"U") {
                if (m_entrata.isValid()) m_presenza += m_entrata.secsTo(ora);
                m_entrata = QDateTime();
            } else if (lettera == u"D") {
                m_parola = ora;
            } else if (lettera == u"F") {
                if (m_parola.isValid()) m_intervento += m_parola.secsTo(ora);
                m_parola = QDateTime();
            }
            RigaEvento();
        }
        // The closing of the sitting ends a stay still open.
        if (lettera == u"C" && m_entrata.isValid()) {
            m_presenza += m_entrata.secsTo(ora);
            m_entrata = QDateTime();
        }
    } else if (m_modo == u"P") {
        // Each sitting has its own attendance: the list starts afresh at
        // its opening.  The closing changes nothing, so the report on it
        // lists those who were there when the sitting ended.
        if (lettera == u"A") {
            m_presenti.clear();
        } else if (lettera == u"E") {
            if (!nome.isEmpty() && !m_presenti.contains(nome)) m_presenti << nome;
        } else if (lettera == u"U") {
            const qsizetype i = m_presenti.indexOf(nome);
            if (i >= 0) {
                m_presenti[i] = m_presenti.last();
                m_presenti.removeLast();
            }
        }
    }
}

QString ResocontoEventi::Dettagli(const QString& lettera)
{
    if (LetteraIn(lettera, "EUDFOW-+")) return Campo(m_ev, "cNomeEV");
    if (LetteraIn(lettera, "PQJ"))
        return RTrimSpazi(Campo(m_ev, "cNomeEV")) + QStringLiteral(" sost. ") + Campo(m_ev, "cExtraDescEV");
    if (LetteraIn(lettera, "TL")) {
        const QVariant codice = m_ev.Field(QStringLiteral("lCodVotoEV"));
        if (!codice.isValid() || codice.isNull() || !m_voti.IsOpen()) return QString();
        m_voti.Seek(QStringLiteral("="), codice);
        if (m_voti.NoMatch()) return QString();
        if (lettera == u"L") return QStringLiteral("- Presenti ") + Tre(PresentiVotazione(m_voti));
        return QStringLiteral("- Fav. ") + Tre(m_voti.Field(QStringLiteral("iFavorevoliVT")).toInt()) +
               QStringLiteral("   - Con. ") + Tre(m_voti.Field(QStringLiteral("iContrariVT")).toInt()) +
               QStringLiteral("   - Ast. ") + Tre(m_voti.Field(QStringLiteral("iAstenutiVT")).toInt());
    }
    if (LetteraIn(lettera, "GHXY"))
        return LeggeCampo(m_ev.Field(QStringLiteral("cNomeEV")), 0, QString()) + u' ' +
               LeggeCampo(m_ev.Field(QStringLiteral("cExtraDescEV")), 0, QString());
    return QString();
}

void ResocontoEventi::RigaEvento()
{
    m_passi.Prova(
        [&] { XY(5, m_ev.Field(QStringLiteral("dDataOraEV")).toDateTime().toString(QStringLiteral("HH:mm:ss"))); });
    m_passi.Prova([&] { XY(14, Campo(m_ev, "cDescEventoEV")); });
    m_passi.Prova([&] {
        const QString dettagli = Dettagli(Campo(m_ev, "cTipoEventoEV").left(1));
        const QString nota = LeggeCampo(m_ev.Field(QStringLiteral("cDettaglioEV")), 0, QString());
        XY(37, (dettagli + u' ' + nota).left(60));
    });
    m_passi.Prova([&] { XY(108, AllineaDestra(m_ev.Field(QStringLiteral("iPresentiEV")), 3)); });
    m_passi.Prova([&] { Avanza(); });
}

void ResocontoEventi::Chiusura()
{
    if (m_modo == u"T" || m_modo == u"I") {
        m_passi.Prova([&] { Avanza(); });
        XY(5, QStringLiteral("Tempo Complessivo:"));
        XY(24, OreMinuti(m_primo.isValid() ? m_primo.secsTo(m_ultimo) : 0));
    } else if (m_modo == u"M") {
        m_passi.Prova([&] { Avanza(); });
        XY(5, QStringLiteral("Tempo di Intervento:"));
        XY(26, OreMinuti(m_intervento));
        m_passi.Prova([&] { Avanza(); });
        XY(7, QStringLiteral("Tempo di Presenza:"));
        XY(26, OreMinuti(m_presenza));
    } else if (m_modo == u"P") {
        // An open console holds the sitting's seats as they stand.
        if (!bConsoleAperta) m_passi.Prova([] { GestisceAnagrafe(true); });
        for (size_t i = 1; i < aPosti.size(); ++i) {
            const Posto& p = aPosti[i];
            XY(m_presenti.contains(RTrimSpazi(p.cNomeAN)) ? 6 : 37, p.cNomeAN);
            XY(68, p.cPartitoAN);
            m_passi.Prova([&] { Avanza(); });
        }
    }
}

void ResocontoEventi::Intestazione()
{
    StampaXY(2, 10 + m_off, cConsiglio);
    StampaXY(2, 70 + m_off, QStringLiteral("Pag.") + Str(iPaginaStampa));
    StampaXY(4, 10 + m_off, QStringLiteral(" - Seduta Consiliare di ") + DataDiStampa(m_data));
    QString titolo;
    if (m_modo == u"T")
        titolo = QStringLiteral("Riepilogo Eventi");
    else if (m_modo == u"I")
        titolo = QStringLiteral("Riepilogo Gruppo Eventi");
    else if (m_modo == u"M")
        titolo = QStringLiteral("Movimenti per Consigliere ") + m_nome;
    else
        titolo = QStringLiteral("Riepilogo Presenti alle ore ") + m_momento.toString(QStringLiteral("HH:mm:ss"));
    StampaXY(6, 20 + m_off, titolo);
    if (m_modo == u"P") {
        StampaXY(8, 6, QStringLiteral("Consiglieri PRESENTI"));
        StampaXY(8, 37, QStringLiteral("Consiglieri ASSENTI"));
        StampaXY(8, 68, QStringLiteral("Partito"));
        StampaXY(9, 6, QString(27, u'-'));
        StampaXY(9, 37, QString(27, u'-'));
        StampaXY(9, 68, QString(20, u'-'));
    } else {
        StampaXY(8, 5 + m_off, QStringLiteral("Orario"));
        StampaXY(8, 14 + m_off, QStringLiteral("Evento"));
        StampaXY(8, 37 + m_off, QStringLiteral("Specifiche"));
        StampaXY(8, 108 + m_off, QStringLiteral("Pr."));
        StampaXY(9, 5 + m_off, QString(8, u'-'));
        StampaXY(9, 14 + m_off, QString(22, u'-'));
        StampaXY(9, 37 + m_off, QString(70, u'-'));
        StampaXY(9, 108 + m_off, QString(3, u'-'));
    }
    iRigaStampa = 10;
}

}  // namespace

// ---------------------------------------------------------------------------
// Window.

frmEvent::frmEvent(QWidget* padre) : QWidget(padre, Qt::Window)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmEvent"));
    setWindowTitle(QStringLiteral("Controllo Eventi"));
    setAttribute(Qt::WA_DeleteOnClose);

    broEventi = new GrigliaDati(this);
    broEventi->setObjectName(QStringLiteral("broEventi"));
    lblNota = new QLabel(QStringLiteral("Varia Nota corrente:"), this);
    lblNota->setObjectName(QStringLiteral("lblNota"));
    lblNota->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    getNota = new QLineEdit(this);
    getNota->setObjectName(QStringLiteral("getNota"));
    getNota->setMaxLength(kLunghezzaNota);
    dbfVelmora = new ControlloDati(this);
    dbfVelmora->setObjectName(QStringLiteral("dbfVelmora"));
    dbfVelmora->ImpostaDidascalia(QStringLiteral("Eventi"));
    dbfVelmora->Reposition = [this] { SeguiRecordset(); };

    const char* testi[4] = {"Stampa", "Fine", "Aiuto", "Salva"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(testi[i]), this);
        b->setObjectName(QStringLiteral("cmdEventi(%1)").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdEventi_Click(i); });
        m_cmdEventi[size_t(i)] = b;
    }
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        int tasto = kTastoF1;
        Form_KeyDown(tasto, 0);
    });

    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    // The top row: the note and its "Salva".
    lblNota->setGeometry(int(kMargine / tx), int(150 / ty), int(2300 / tx), int(330 / ty));
    getNota->setGeometry(int(2640 / tx), int(135 / ty), int(4200 / tx), int(360 / ty));
    m_cmdEventi[3]->setGeometry(int(7080 / tx), int(105 / ty), int(1200 / tx), int(420 / ty));
    setMinimumSize(int(9600 / tx), int(4800 / ty));
    resize(int(kLarghezzaIniziale / tx), int(kAltezzaIniziale / ty));
    Form_Resize();

    Form_Load();
}

frmEvent::~frmEvent()
{
    if (g_finestra == this) g_finestra = nullptr;
}

frmEvent* frmEvent::Aperta() { return g_finestra.data(); }

frmEvent* frmEvent::Mostra(QWidget* padre) { return MostraUnica(g_finestra, padre); }

void frmEvent::MostraModale(QWidget* padre)
{
    // Its own loop would hold up the vote's key collection.
    if (RifiutaDuranteVoto()) return;
    MostraUnicaModale(g_finestra, padre);
}

QPushButton* frmEvent::cmdEventi(int i) const { return i >= 0 && i < 4 ? m_cmdEventi[size_t(i)] : nullptr; }

void frmEvent::Form_Load()
{
    // Texts without the blanks that pad them to their fields.
    auto testo = [](const QVariant& v) { return RTrimSpazi(v.toString()); };
    broEventi->ImpostaColonne({
        {QStringLiteral("dDataOraEV"), QStringLiteral("Ora"),
         [](const QVariant& v) { return v.toDateTime().toString(QStringLiteral("HH:mm:ss")); }},
        {QStringLiteral("cDescEventoEV"), QStringLiteral("Evento"), testo},
        {QStringLiteral("cNomeEV"), QStringLiteral("Specifiche"), testo},
        {QStringLiteral("iPresentiEV"), QStringLiteral("Presenti"), {}},
        {QStringLiteral("cExtraDescEV"), QStringLiteral("Dettagli"), testo},
        {QStringLiteral("cDettaglioEV"), QStringLiteral("Note"), testo},
    });
    try {
        broEventi->ApriTabella(cTabelle[3], QStringLiteral("TAG_A"));
    } catch (const Errore& e) {
        UI().MsgBox(TestoErrore(e), vbOKOnly, kTitoloOBX);
    }
    // Each column as wide as what it shows: the time, the longest event
    // name, the note's thirty characters; the details, up to 90, scroll.
    const QFontMetrics fm = broEventi->fontMetrics();
    const int margine = 2 * fm.averageCharWidth() + 8;
    broEventi->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("00:00:00")) + margine);
    broEventi->setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("Presente non Votante")) + margine);
    broEventi->setColumnWidth(4, fm.averageCharWidth() * 24 + margine);
}

void frmEvent::Form_Activate()
{
    CentraFinestra(this);
    ApreEventi();
    // The note is changed only through "Salva".
    broEventi->ConsentiAggiunta(false);
    broEventi->ConsentiEliminazione(false);
    broEventi->ConsentiModifica(false);
}

bool frmEvent::ApreEventi()
{
    try {
        dbfVelmora->Collega(cTabelle[3], QStringLiteral("TAG_A"));
        return true;
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    return false;
}

Recordset& frmEvent::Eventi() { return dbfVelmora->RS(); }

void frmEvent::Form_Resize()
{
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    // In the measures of the whole window, title bar included.
    const double alto = frameGeometry().height() * ty;
    const double largo = frameGeometry().width() * tx;
    const double sotto = alto - 1200;
    broEventi->setGeometry(int(kMargine / tx), int(600 / ty), int((largo - 740) / tx), int((alto - 2200) / ty));
    dbfVelmora->setGeometry(int(kMargine / tx), int((alto - 1320) / ty), int(3600 / tx), int(390 / ty));
    for (int i = 0; i < 3; ++i)
        m_cmdEventi[size_t(i)]->setGeometry(int((4200 + 1440 * i) / tx), int(sotto / ty), int(1260 / tx),
                                            int(450 / ty));
}

void frmEvent::Form_KeyDown(int& KeyCode, int Shift)
{
    (void)Shift;
    if (KeyCode != kTastoF1) return;
    KeyCode = 0;
    Aiuto();
}

QString frmEvent::TestoAiuto()
{
    const QString dieci(10, u' '), quindici(15, u' ');
    return QStringList{QStringLiteral("STAMPA INTERA LISTA EVENTI"),
                       dieci + QStringLiteral("Nessuna Selezione"),
                       QStringLiteral("STAMPA MOVIMENTI CONSIGLIERE"),
                       dieci + QStringLiteral("Seleziona il Nominativo"),
                       QStringLiteral("STAMPA PRESENTI AL MOMENTO"),
                       dieci + QStringLiteral("Seleziona 1 riga"),
                       quindici + QStringLiteral("(Pulsante SIN)"),
                       QStringLiteral("STAMPA GRUPPO EVENTI"),
                       dieci + QStringLiteral("Seleziona 2 Righe"),
                       quindici + QStringLiteral("(Riga Iniziale con Pulsante SIN"),
                       quindici + QStringLiteral(" Riga Finale con Ctrl+Pulsante SIN)")}
        .join(QStringLiteral("\r\n"));
}

void frmEvent::Aiuto() { UI().MsgBox(TestoAiuto(), vbInformation, kTitoloOBX); }

void frmEvent::cmdEventi_Click(int Index)
{
    switch (Index) {
    case 0: Stampa(); break;
    case 1: close(); break;
    case 2: Aiuto(); break;
    case 3: SalvaNota(); break;
    default: break;
    }
}

void frmEvent::SalvaNota()
{
    const QList<qint64> scelti = broEventi->SelBookmarks();
    if (scelti.isEmpty()) return;
    // The record set was closed under the window (the archive reopened).
    if (!Eventi().IsOpen() && !ApreEventi()) return;
    Recordset& rs = Eventi();
    try {
        rs.SetBookmark(scelti.first());
        rs.Edit();
        rs.SetField(QStringLiteral("cDettaglioEV"), PadTaglia(getNota->text(), kLunghezzaNota));
        rs.Update();
    } catch (const Errore& e) {
        AnnullaModificaFallita(rs, e);
    }
    try {
        broEventi->Aggiorna();
    } catch (const Errore& e) {
        UI().MsgBox(TestoErrore(e), vbOKOnly, kTitoloOBX);
    }
}

void frmEvent::Stampa()
{
    // The question and the printer dialog would hold up the vote's keys.
    if (RifiutaDuranteVoto()) return;
    const QList<qint64> scelti = broEventi->SelBookmarks();
    QString modo, nome, domanda;
    switch (scelti.size()) {
    case 0: {
        const int riga = broEventi->RigaCorrente();
        if (broEventi->ColonnaCorrente() == 2 && riga >= 0) nome = RTrimSpazi(broEventi->TestoCella(riga, 2));
        if (!nome.isEmpty()) {
            modo = QStringLiteral("M");
            domanda = QStringLiteral("Stampa Movimenti di ") + nome;
        } else {
            modo = QStringLiteral("T");
            domanda = QStringLiteral("Stampa Intera Lista Eventi");
        }
        break;
    }
    case 1:
        modo = QStringLiteral("P");
        domanda = QStringLiteral("Stampa Elenco Presenti al momento");
        break;
    case 2: {
        modo = QStringLiteral("I");
        // From the first row to the second in logging order (to the end of
        // the log when the second comes first), on a record set of its own
        // so that the window's stays where it is.
        int n = 0;
        try {
            Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
            rs.SetBookmark(scelti.at(0));
            while (!rs.Eof()) {
                ++n;
                if (rs.Bookmark() == scelti.at(1)) break;
                rs.MoveNext();
            }
        } catch (const Errore& e) {
            UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
            return;
        }
        domanda = QStringLiteral("Stampa Gruppo") + Str(n) + QStringLiteral(" Eventi da .. a ..");
        break;
    }
    default: Aiuto(); return;
    }
    if (UI().MsgBox(domanda, vbOKCancel + vbQuestion, kTitoloOBX) == vbOK) StampaEventi(modo, nome);
}

void frmEvent::StampaEventi(const QString& cTipo, const QString& cNomeCons)
{
    const QString modo = cTipo.left(1).toUpper();
    if (!LetteraIn(modo, "TMPI")) return;
    if (!ImpostaStampante(modo == u"P" ? 2 : 3, QStringLiteral("Lista_Eventi"))) return;
    if (Eventi().IsOpen() || ApreEventi()) {
        ResocontoEventi r(modo, cNomeCons, Eventi(), broEventi->SelBookmarks());
        if (!r.Stampa()) {
            InterrompeStampa();
            return;
        }
    }
    FineStampa();
}

// The grid follows the moves of the browsing bar.
void frmEvent::SeguiRecordset()
{
    try {
        Recordset& rs = Eventi();
        if (!rs.IsOpen() || rs.Eof() || rs.Bof()) return;
        const qint64 segno = rs.Bookmark();
        for (int r = 0; r < broEventi->Righe(); ++r) {
            if (broEventi->Segnalibro(r) == segno) {
                broEventi->ImpostaCorrente(r, std::max(broEventi->ColonnaCorrente(), 0));
                return;
            }
        }
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
}

void frmEvent::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    Form_Resize();
    if (!m_attivata) {
        m_attivata = true;
        Form_Activate();
    }
}

void frmEvent::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void frmEvent::closeEvent(QCloseEvent* e)
{
    broEventi->Chiudi();
    dbfVelmora->Chiudi();
    e->accept();
}

}  // namespace obx
